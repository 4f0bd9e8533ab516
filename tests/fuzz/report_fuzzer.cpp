// The report exports against a Windows seam that the input scripts call by
// call: snapshots that fail or have no first entry, module and process entries
// with any UTF-16 names, paths, sizes and ids (an entry may repeat thousands
// of times, so reports reach the block's end), processes that cannot be opened
// or read, any trust status and last error, allocations that fail; paths for
// VerifyEmbeddedSignatureLua of any bytes and length, or the previous report
// itself. After each call: there is a text and it ends inside the block,
// with nothing but zeros behind it, quotes, braces and brackets balance
// unless the text was cut at the block's end, and every handle and trust
// state the seam handed out was given back.
#include <fuzzer/FuzzedDataProvider.h>
#include <sanitizer/asan_interface.h>
#include <sys/mman.h>

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "inspect/inspection_exports.h"
#include "inspect/report_buffer.h"
#include "platform/win_seam.h"

// A copy larger than this cannot be made, as in a 32-bit process.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=512"; }

namespace {

using qz::win::Handle;
constexpr std::size_t kCap = qz::report::kReportCapacity;

FuzzedDataProvider* in;
struct Walk {  // an open handle; for a snapshot, the entry handed out last and its repeats left
  int repeats = 0;
  qz::win::ModuleRecord module{};
  qz::win::ProcessRecord process{};
};
std::map<Handle, Walk> open;
uintptr_t handles = 0x100;
int badUses = 0, trustStates = 0;
uint32_t lastError = 0;
struct Block {  // a heap block the seam hands out again and again
  char* bytes;
  std::size_t size, dirty;  // bytes that may be non-zero
  bool taken;
};
std::vector<Block>& blocks = *new std::vector<Block>;  // kept to the end, where leaks are looked for
const Block* released = nullptr;
const char* previous = "";  // the latest report
const char* luaBytes = nullptr;  // VerifyEmbeddedSignatureLua's argument, its length,
long long luaLength = 0;         // and how many of its bytes the script gave
std::size_t scriptBytes = 0;

void Require(bool holds, const char* what, const char* text = "") {
  if (!holds) std::fprintf(stderr, "report fuzzer: %s\n%.2000s\n", what, text), std::abort();
}

Handle NewHandle() { return open.emplace(reinterpret_cast<Handle>(handles += 4), Walk{}).first->first; }

// A code unit of a file name: anything but a double quote, which Windows
// forbids in names and paths (so a report's quotes are all its own).
char16_t NameUnit() {
  const char16_t unit = in->ConsumeIntegral<char16_t>();
  return unit == u'"' ? u'\'' : unit;
}

// Any units, or one unit many times (long names from short inputs).
template <std::size_t N>
void Fill(char16_t (&text)[N]) {  // Toolhelp terminates every text it writes
  const std::size_t units = in->ConsumeIntegralInRange<std::size_t>(0, N - 1);
  if (in->ConsumeBool()) {
    std::fill(text, text + units, NameUnit());
  } else {
    for (std::size_t i = 0; i < units; ++i) text[i] = NameUnit();
  }
  text[units] = 0;
}

template <bool kFirst, class Record>
bool Entry(Handle snapshot, Record* entry) {
  auto it = open.find(snapshot);
  if (it == open.end()) return ++badUses, false;
  Walk& w = it->second;
  constexpr bool kModule = std::is_same_v<Record, qz::win::ModuleRecord>;
  Record& last = [&]() -> Record& { if constexpr (kModule) return w.module; else return w.process; }();
  if (kFirst || w.repeats == 0) {
    if (!in->ConsumeBool()) return false;
    if constexpr (kModule) {
      Fill(last.name), Fill(last.path), last.imageSize = in->ConsumeIntegral<uint32_t>();
    } else {
      last.processId = in->ConsumeIntegral<uint32_t>(), Fill(last.exeFile);
    }
    // Modules repeat by the thousand, processes (each opened and checked) by
    // the ten: either fills the block.
    const uint8_t r = in->ConsumeIntegral<uint8_t>();
    w.repeats = r < 250 ? 0 : (r - 249) * (kModule ? 500 : 10);
  } else {
    --w.repeats;
  }
  *entry = last;
  return true;
}

// One of the statuses the library tells apart, or any other.
uint32_t Status(std::initializer_list<uint32_t> known) {
  const std::size_t i = in->ConsumeIntegralInRange<std::size_t>(0, known.size());
  return i < known.size() ? known.begin()[i] : in->ConsumeIntegral<uint32_t>();
}

void Install() {
  qz::win::WinApi& api = qz::win::Api();
  // Blocks are reused, never the one released last, zeroed when handed out
  // and poisoned while released: writing past a block or reading a released
  // report is caught as with fresh blocks, without mapping 900000 bytes anew
  // for every call. Of a report only its text and terminator need zeroing.
  api.allocate = [](std::size_t bytes) -> void* {
    if (in->ConsumeIntegralInRange(0, 15) == 15) return nullptr;
    auto it = std::find_if(blocks.begin(), blocks.end(),
                           [&](const Block& b) { return !b.taken && b.size == bytes && &b != released; });
    if (it == blocks.end()) {
      if (blocks.size() == 8) return std::calloc(1, bytes);
      released = nullptr;  // the vector may move
      it = blocks.insert(blocks.end(), {static_cast<char*>(std::malloc(bytes)), bytes, bytes, false});
    }
    it->taken = true;
    ASAN_UNPOISON_MEMORY_REGION(it->bytes, bytes);
    return std::memset(it->bytes, 0, it->dirty);
  };
  api.release = [](void* block) {
    auto it = std::find_if(blocks.begin(), blocks.end(), [&](const Block& b) { return b.bytes == block; });
    if (it == blocks.end()) return std::free(block);
    if (it->size == kCap) it->dirty = strnlen(it->bytes, kCap - 1) + 1;
    ASAN_POISON_MEMORY_REGION(it->bytes, it->size);
    it->taken = false, released = &*it;
  };
  api.createToolhelpSnapshot = [](uint32_t, uint32_t) {
    const int outcome = in->ConsumeIntegralInRange(0, 7);
    return outcome == 1 ? qz::win::InvalidHandle() : outcome == 2 ? nullptr : NewHandle();
  };
  api.module32First = &Entry<true, qz::win::ModuleRecord>;
  api.module32Next = &Entry<false, qz::win::ModuleRecord>;
  api.process32First = &Entry<true, qz::win::ProcessRecord>;
  api.process32Next = &Entry<false, qz::win::ProcessRecord>;
  api.openProcess = [](uint32_t, bool, uint32_t) { return in->ConsumeIntegralInRange(0, 7) == 7 ? nullptr : NewHandle(); };
  api.queryFullProcessImageName = [](Handle process, uint32_t, char16_t* path, uint32_t* size) {
    badUses += open.count(process) == 0;
    const uint32_t capacity = *size;
    switch (in->ConsumeIntegralInRange(0, 2)) {
      case 0: {  // read
        const std::size_t n = in->ConsumeIntegralInRange<std::size_t>(0, capacity - 1);
        for (std::size_t i = 0; i < n; ++i) path[i] = std::max(NameUnit(), u'.');
        path[n] = 0;
        *size = static_cast<uint32_t>(n);
        return true;
      }
      case 1: std::fill(path, path + capacity, u'x'); return false;  // failed, leaving garbage behind
      default: std::fill(path, path + capacity, u'x'), *size = capacity; return true;  // a size past the text
    }
  };
  api.closeHandle = [](Handle handle) { return badUses += open.erase(handle) == 0, true; };
  api.winVerifyTrust = [](Handle, qz::win::Guid*, qz::win::TrustData* data) -> int32_t {
    if (data->stateAction != 1) return badUses += data->stateData != reinterpret_cast<Handle>(0x5000), --trustStates, 0;
    std::u16string path(data->file->filePath);  // ends where it should (else ASan says so)
    data->stateData = reinterpret_cast<Handle>(0x5000), ++trustStates;
    lastError = Status({0, 0x800B0100, 0x800B0003, 0x800B0001});
    return static_cast<int32_t>(Status({0, 0x800B0100, 0x800B0111, 0x800B0004, 0x80092026, 0x800B0001}));
  };
  api.getLastError = [] { return lastError; };
  api.printLine = [](const char* bytes, std::size_t count) { std::string copy(bytes, count); };
  api.ansiToWide = [](const char* bytes, std::size_t count, char16_t* out, std::size_t capacity) {
    Require(bytes == luaBytes && luaLength >= 0 && count <= static_cast<std::size_t>(luaLength), "path read past its length");
    // Each byte stands for the code unit of its value; past the script's bytes all are zero.
    const std::size_t n = std::min(count, capacity), given = std::min(n, scriptBytes);
    for (std::size_t i = 0; i < given; ++i) out[i] = static_cast<unsigned char>(bytes[i]);
    std::memset(out + given, 0, (n - given) * sizeof *out);
    return n;
  };
}

// Quotes pair up, and braces and brackets outside quotes close in order.
__attribute__((no_sanitize("coverage"))) bool Balanced(const char* text) {
  std::string stack;
  bool quoted = false;
  for (const char* c = text; *(c += std::strcspn(c, "\"{}[]")) != 0; ++c) {
    if (*c == '"') {
      quoted = !quoted;
    } else if (!quoted && (*c == '{' || *c == '[')) {
      stack += *c == '{' ? '}' : ']';
    } else if (!quoted && (*c == '}' || *c == ']')) {
      if (stack.empty() || stack.back() != *c) return false;
      stack.pop_back();
    }
  }
  return !quoted && stack.empty();
}

void Check(const char* text, bool structured) {
  Require(badUses == 0 && open.empty(), "a handle was not closed, or closed or used unknown");
  Require(trustStates == 0, "a trust state was not released");
  Require(text != nullptr, "no text");
  const std::size_t length = strnlen(text, kCap);
  previous = text;
  Require(length < kCap, "no terminator inside the block");
  Require(!structured || length == kCap - 1 || Balanced(text), "unbalanced report", text);
  // The one block is cleared only as far as a text reached: what the last
  // text held past this one's end must be zero.
  static std::size_t reached = 0;
  if (text != qz::report::ReportBuffer()) return;
  Require(std::all_of(text + length, text + std::max(length, reached) + 1, [](char c) { return c == 0; }),
          "a byte behind the terminator is not zero", text);
  reached = length;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // Room for a path of any length up to INT_MAX, reserved once: the script's
  // bytes, then zero pages.
  static char* const huge = (Install(), static_cast<char*>(mmap(nullptr, std::size_t{INT_MAX} + 1, PROT_READ | PROT_WRITE,
                                                               MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0)));
  FuzzedDataProvider input(data, size);
  in = &input;
  // A few calls per input: a report that fills the block costs thousands of entries.
  for (int call = 0; call < 6 && input.remaining_bytes() > 0; ++call) {
    switch (input.ConsumeIntegralInRange(0, 4)) {
      case 0: Check(GetModuleProfile(input.ConsumeIntegral<uint32_t>()), true); break;
      case 1: Check(QZS_glosdi(), true); break;
      case 2: Check(GetExePath(input.ConsumeIntegral<uint32_t>()), false); break;
      case 3: Check(VerifyProcessProfile(input.ConsumeIntegral<uint32_t>()), true); break;
      default: {
        // The bytes end where the length says, so reading past them is caught.
        const std::vector<char> bytes = input.ConsumeBytes<char>(input.ConsumeIntegralInRange(0, 600));
        luaBytes = bytes.data(), luaLength = static_cast<long long>(scriptBytes = bytes.size());
        switch (input.ConsumeIntegralInRange(0, 4)) {
          case 4: luaBytes = previous, luaLength = static_cast<long long>(scriptBytes = std::strlen(previous)); break;
          case 1: luaLength = input.ConsumeIntegralInRange<long long>(0, luaLength); break;
          case 2: luaLength = input.ConsumeIntegralInRange<long long>(INT_MIN, -1); break;
          case 3:
            if (huge == MAP_FAILED || bytes.empty()) break;
            luaBytes = static_cast<const char*>(std::memcpy(huge, bytes.data(), bytes.size()));
            luaLength = input.ConsumeBool() ? INT_MAX : input.ConsumeIntegralInRange(1 << 16, 1 << 20);
            break;
          default: break;
        }
        if (input.ConsumeIntegralInRange(0, 15) == 15) luaBytes = nullptr;
        const char* text = VerifyEmbeddedSignatureLua(luaBytes, static_cast<int>(luaLength));
        Check(text, false);
        Require(std::strcmp(text, "PASSED") == 0 || std::strcmp(text, "FAILED") == 0, "no verdict", text);
      }
    }
  }
  return 0;
}
