#pragma once
// Reads the headers of a PE file from disk: its machine, the names it exports
// and the DLLs it imports. Used to check the shipped DLL as the loader sees it.
#include <cstdint>
#include <string>
#include <vector>

struct PeImage {
  uint16_t machine = 0;                   // 0x14c i386, 0x8664 x64
  std::vector<std::string> exportNames;   // in export table order (sorted by the linker)
  std::vector<std::string> importedDlls;  // as written in the import table
};

// Returns false and fills error when the file cannot be read or is not a PE image.
bool ReadPeImage(const std::wstring& path, PeImage* image, std::string* error);
