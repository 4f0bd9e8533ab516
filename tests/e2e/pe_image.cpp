#include "pe_image.h"

#include <cstdio>
#include <cstring>

namespace {

struct Section {
  uint32_t virtualAddress;
  uint32_t virtualSize;
  uint32_t rawOffset;
  uint32_t rawSize;
};

class Reader {
 public:
  explicit Reader(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  bool u16(size_t at, uint16_t* v) const { return read(at, v, 2); }
  bool u32(size_t at, uint32_t* v) const { return read(at, v, 4); }
  bool cstring(size_t at, std::string* s) const {
    if (at >= bytes_.size()) return false;
    const char* begin = reinterpret_cast<const char*>(bytes_.data()) + at;
    size_t max = bytes_.size() - at;
    size_t len = strnlen(begin, max);
    if (len == max) return false;
    s->assign(begin, len);
    return true;
  }

 private:
  bool read(size_t at, void* v, size_t n) const {
    if (at + n > bytes_.size() || at + n < at) return false;
    std::memcpy(v, bytes_.data() + at, n);
    return true;
  }
  std::vector<uint8_t> bytes_;
};

bool ReadFile(const std::wstring& path, std::vector<uint8_t>* bytes) {
  FILE* f = _wfopen(path.c_str(), L"rb");
  if (!f) return false;
  uint8_t chunk[65536];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes->insert(bytes->end(), chunk, chunk + n);
  fclose(f);
  return true;
}

bool RvaToOffset(const std::vector<Section>& sections, uint32_t rva, size_t* offset) {
  for (const Section& s : sections) {
    uint32_t size = s.virtualSize > s.rawSize ? s.virtualSize : s.rawSize;
    if (rva >= s.virtualAddress && rva < s.virtualAddress + size) {
      *offset = s.rawOffset + (rva - s.virtualAddress);
      return true;
    }
  }
  return false;
}

}  // namespace

bool ReadPeImage(const std::wstring& path, PeImage* image, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!ReadFile(path, &bytes)) return *error = "cannot read file", false;
  Reader r(std::move(bytes));

  uint16_t mz = 0;
  uint32_t peOffset = 0, signature = 0;
  if (!r.u16(0, &mz) || mz != 0x5A4D || !r.u32(0x3C, &peOffset) || !r.u32(peOffset, &signature) ||
      signature != 0x00004550)
    return *error = "not a PE image", false;

  const size_t fileHeader = peOffset + 4;
  uint16_t sectionCount = 0, optionalSize = 0, magic = 0;
  if (!r.u16(fileHeader, &image->machine) || !r.u16(fileHeader + 2, &sectionCount) ||
      !r.u16(fileHeader + 16, &optionalSize))
    return *error = "truncated file header", false;
  const size_t optional = fileHeader + 20;
  if (!r.u16(optional, &magic)) return *error = "truncated optional header", false;
  const size_t directories = optional + (magic == 0x20B ? 112 : 96);

  std::vector<Section> sections;
  const size_t sectionTable = optional + optionalSize;
  for (uint16_t i = 0; i < sectionCount; ++i) {
    Section s{};
    size_t at = sectionTable + i * 40u;
    if (!r.u32(at + 8, &s.virtualSize) || !r.u32(at + 12, &s.virtualAddress) || !r.u32(at + 16, &s.rawSize) ||
        !r.u32(at + 20, &s.rawOffset))
      return *error = "truncated section table", false;
    sections.push_back(s);
  }

  uint32_t exportRva = 0, importRva = 0;
  r.u32(directories + 0, &exportRva);
  r.u32(directories + 8, &importRva);

  size_t at = 0;
  if (exportRva != 0 && RvaToOffset(sections, exportRva, &at)) {
    uint32_t nameCount = 0, namesRva = 0;
    size_t namesAt = 0;
    if (!r.u32(at + 24, &nameCount) || !r.u32(at + 32, &namesRva) || !RvaToOffset(sections, namesRva, &namesAt))
      return *error = "bad export directory", false;
    for (uint32_t i = 0; i < nameCount; ++i) {
      uint32_t nameRva = 0;
      size_t nameAt = 0;
      std::string name;
      if (!r.u32(namesAt + 4u * i, &nameRva) || !RvaToOffset(sections, nameRva, &nameAt) || !r.cstring(nameAt, &name))
        return *error = "bad export name", false;
      image->exportNames.push_back(name);
    }
  }

  if (importRva != 0 && RvaToOffset(sections, importRva, &at)) {
    for (;; at += 20) {
      uint32_t nameRva = 0, thunks = 0;
      if (!r.u32(at + 12, &nameRva) || !r.u32(at + 16, &thunks)) return *error = "bad import directory", false;
      if (nameRva == 0 && thunks == 0) break;
      size_t nameAt = 0;
      std::string name;
      if (!RvaToOffset(sections, nameRva, &nameAt) || !r.cstring(nameAt, &name))
        return *error = "bad import name", false;
      image->importedDlls.push_back(name);
    }
  }
  return true;
}
