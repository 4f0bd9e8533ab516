#!/bin/sh
# Makes the files the signature tests verify, from one freshly built program:
#   unsigned.exe  a plain copy
#   signed.exe    the copy signed with a throwaway self-signed code-signing certificate
#   tampered.exe  signed.exe with one byte of its code changed after signing
# Usage: make_signed_files.sh PROGRAM OUTPUT_FOLDER
set -eu
program=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 2 \
  -subj "/CN=QZSteam throwaway test signer" \
  -addext "keyUsage=digitalSignature" -addext "extendedKeyUsage=codeSigning" \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null

cp "$program" "$out/unsigned.exe"
rm -f "$out/signed.exe"
osslsigncode sign -certs "$work/cert.pem" -key "$work/key.pem" -h sha256 \
  -n "QZSteam signature test" -in "$program" -out "$out/signed.exe" >/dev/null

# Byte 1024 lies in the first section (headers take 1024 bytes with MinGW),
# which the signature's hash covers.
cp "$out/signed.exe" "$out/tampered.exe"
old=$(od -An -tu1 -j1024 -N1 "$out/tampered.exe" | tr -d ' ')
new=$(( (old + 1) % 256 ))
printf "\\$(printf %o "$new")" | dd of="$out/tampered.exe" bs=1 seek=1024 conv=notrunc 2>/dev/null
