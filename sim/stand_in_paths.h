#pragma once
// Where a stand-in DLL finds its files: its own folder, read whole however
// long it is, and paths in the form Windows takes at any length.
#include <string>

namespace qz::sim {

// The folder of this DLL with a trailing backslash, in the form of
// WholePath(); empty when Windows cannot say.
std::wstring DllFolder();

// `path` made absolute, with `..` and `/` resolved, and in the \\?\ form
// when it is too long for the plain one (which stops at MAX_PATH units);
// empty when Windows cannot make it so.
std::wstring WholePath(const std::wstring& path);

// The file a symbolic link at `path` leads to (followed to its end), or
// `path` itself when it is none or cannot be followed.
std::wstring LinkTarget(const std::wstring& path);

// UTF-8 text as UTF-16, and back.
std::wstring Wide(const std::string& text);
std::string Narrow(const std::wstring& text);

}  // namespace qz::sim
