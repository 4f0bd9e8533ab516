#pragma once
// What the inspection tests read of the DLL's console side: the bytes a call
// writes to the standard output, and a UTF-16 text as the ANSI code page
// spells it.
#include <windows.h>
// After windows.h:
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <functional>
#include <string>

// The bytes that `call` writes to the standard output, which the DLL shares
// with the program: a text-mode stream (CR LF). A few lines fit the pipe.
inline std::string CaptureStdout(const std::function<void()>& call) {
  int pipe[2];
  if (_pipe(pipe, 1 << 16, _O_TEXT) != 0) return "no pipe";
  std::fflush(stdout);
  const int saved = _dup(1);
  _dup2(pipe[1], 1);
  call();
  std::fflush(stdout);
  _dup2(saved, 1);
  _close(saved);
  _close(pipe[1]);
  _setmode(pipe[0], _O_BINARY);
  std::string text;
  char chunk[4096];
  for (int n; (n = _read(pipe[0], chunk, sizeof chunk)) > 0;) text.append(chunk, n);
  _close(pipe[0]);
  return text;
}

// UTF-16 text in the ANSI code page, '?' for what it lacks.
inline std::string Narrow(const std::wstring& text) {
  std::string out(4 * text.size(), '\0');
  out.resize(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                                 out.data(), static_cast<int>(out.size()), "?", nullptr));
  return out;
}
