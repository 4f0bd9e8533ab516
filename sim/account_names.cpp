#include "sim/account_names.h"

#include <cstdint>

namespace qz::sim {
namespace {

constexpr uint32_t kByteBase = 0x10FF00;  // U+10FF00 + byte, bytes 0x80 to 0xFF
constexpr uint32_t kFirstStandIn = kByteBase + 0x80;

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The length of the well-formed UTF-8 character at text[i] with its code
// point in *c, or 0 when the byte there begins none.
std::size_t Character(const std::string& text, std::size_t i, uint32_t* c) {
  const auto byte = [&](std::size_t k) { return static_cast<uint8_t>(text[k]); };
  const uint8_t lead = byte(i);
  if (lead < 0x80) {
    *c = lead;
    return 1;
  }
  const std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4                                  ? 4
                                                                                             : 0;
  if (length == 0 || i + length > text.size()) return 0;
  uint32_t code = lead & (0xFF >> (length + 1));
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  const uint32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  *c = code;
  return length;
}

}  // namespace

std::string NameToFile(const std::string& name) {
  std::string text;
  for (std::size_t i = 0; i < name.size();) {
    uint32_t c = 0;
    const std::size_t length = Character(name, i, &c);
    if (length != 0 && c < kFirstStandIn) {
      text.append(name, i, length);
      i += length;
      continue;
    }
    // A byte outside a character, or each byte of a character that stands for one.
    for (std::size_t k = 0; k < (length != 0 ? length : 1); ++k, ++i) {
      AppendUtf8(text, kByteBase + static_cast<uint8_t>(name[i]));
    }
  }
  return text;
}

std::string NameFromFile(const std::string& text) {
  std::string name;
  for (std::size_t i = 0; i < text.size();) {
    uint32_t c = 0;
    const std::size_t length = Character(text, i, &c);
    if (length == 0) {  // not from a JSON parser: keep the byte
      name += text[i++];
    } else {
      if (c >= kFirstStandIn) {
        name += static_cast<char>(c - kByteBase);
      } else {
        name.append(text, i, length);
      }
      i += length;
    }
  }
  return name;
}

}  // namespace qz::sim
