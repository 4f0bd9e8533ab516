// The report exports against the unit tests' fake Windows seam, scripted by
// the input before each call: snapshots that fail or have no first entry,
// modules and processes with any UTF-16 names, paths, sizes and ids (an entry
// may repeat thousands of times, so reports reach the block's end), processes
// that cannot be opened or read or that overstate their path's size, any
// trust status and last error, allocations that fail; paths for
// VerifyEmbeddedSignatureLua of any bytes and length, or the previous report
// itself. After each call: there is a text and it ends inside the block,
// with nothing but zeros behind it, quotes, braces and brackets balance
// unless the text was cut at the block's end, and the fake saw every handle
// and trust state given back and every call well-formed.
#include <fuzzer/FuzzedDataProvider.h>
#include <sanitizer/asan_interface.h>
#include <sys/mman.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "include/QZSteam.h"
#include "inspect/report_buffer.h"
#include "platform/win_seam.h"
#include "tests/support/fake_windows.h"

// A copy larger than this cannot be made, as in a 32-bit process.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=512"; }

namespace {

using qz::test::FakeModule;
using qz::test::FakeProcess;
using qz::test::FakeWindows;
constexpr std::size_t kCap = qz::report::kReportCapacity;

FuzzedDataProvider* in;
FakeWindows& fake = *new FakeWindows;  // installed for the whole run
qz::win::Handle (*fakeSnapshot)(uint32_t, uint32_t) = nullptr;
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

// A code unit of a file name: anything but a double quote, which Windows
// forbids in names and paths (so a report's quotes are all its own).
char16_t NameUnit() {
  const char16_t unit = in->ConsumeIntegral<char16_t>();
  return unit == u'"' ? u'\'' : unit;
}

// Any units, or one unit many times (long names from short inputs); a name
// of a path may be longer than its record holds.
std::u16string Text(std::size_t most) {
  const std::size_t units = in->ConsumeIntegralInRange<std::size_t>(0, most);
  if (in->ConsumeBool()) return std::u16string(units, NameUnit());
  std::u16string text;
  for (std::size_t i = 0; i < units; ++i) text += NameUnit();
  return text;
}

// One of the values the library tells apart, or any other.
uint32_t Pick(std::initializer_list<uint32_t> known) {
  const std::size_t i = in->ConsumeIntegralInRange<std::size_t>(0, known.size());
  return i < known.size() ? known.begin()[i] : in->ConsumeIntegral<uint32_t>();
}

std::pair<uint32_t, uint32_t> Trust() {
  const uint32_t status = Pick({0, 0x800B0100, 0x800B0111, 0x800B0004, 0x80092026, 0x800B0001});
  return {status, Pick({0, 0x800B0100, 0x800B0003, 0x800B0001})};
}

// Modules repeat by the thousand, processes (each opened and checked) by the
// ten: either fills the block.
template <class Entry>
void Add(std::vector<Entry>& list, const Entry& entry, std::size_t bulk) {
  const uint8_t r = in->ConsumeIntegral<uint8_t>();
  list.insert(list.end(), r < 250 ? 1 : (r - 249) * bulk, entry);
}

// The machine for the next call.
void Script() {
  fake.processes.clear(), fake.modules.clear(), fake.trust.clear();
  fake.calls.clear(), fake.checked.clear(), fake.printed.clear();
  fake.processSnapshotFails = in->ConsumeIntegralInRange(0, 7) == 7;
  while (fake.processes.size() < 200 && in->ConsumeBool()) {
    FakeProcess p{in->ConsumeIntegral<uint32_t>(), Text(259), Text(300)};
    p.rights = Pick({qz::test::kAnyRights, qz::test::kLimitedRights, 0});
    p.pathReadable = in->ConsumeIntegralInRange(0, 7) != 0;
    p.sizeOverstated = in->ConsumeIntegralInRange(0, 7) == 0;
    fake.trust[p.imagePath] = Trust();
    Add(fake.processes, p, 10);
  }
  std::vector<uint32_t> ids{fake.currentProcessId};
  for (const FakeProcess& p : fake.processes) ids.push_back(p.id);
  std::size_t modules = 0;  // of all processes, within what a few reports need
  for (uint32_t id : ids) {
    if (fake.modules.count(id) != 0 || in->ConsumeIntegralInRange(0, 7) == 7) continue;  // the snapshot fails
    std::vector<FakeModule>& list = fake.modules[id];
    while (modules < 6000 && in->ConsumeBool()) {
      modules -= list.size();
      Add(list, FakeModule{Text(255), Text(259), in->ConsumeIntegral<uint32_t>()}, 500);
      modules += list.size();
    }
  }
}

// The calling process (0), one of the machine's, or any id.
uint32_t ProcessId() {
  switch (in->ConsumeIntegralInRange(0, 2)) {
    case 0: return 0;
    case 1:
      if (!fake.processes.empty())
        return fake.processes[in->ConsumeIntegralInRange<std::size_t>(0, fake.processes.size() - 1)].id;
      [[fallthrough]];
    default: return in->ConsumeIntegral<uint32_t>();
  }
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
  // Besides the fake's answers, a null snapshot, which must close nothing.
  fakeSnapshot = api.createToolhelpSnapshot;
  api.createToolhelpSnapshot = [](uint32_t flags, uint32_t id) {
    return in->ConsumeIntegralInRange(0, 15) == 15 ? nullptr : fakeSnapshot(flags, id);
  };
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
  Require(fake.clean(), "a handle or trust state not given back, or a call ill-formed");
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
    Script();
    switch (input.ConsumeIntegralInRange(0, 4)) {
      case 0: Check(GetModuleProfile(ProcessId()), true); break;
      case 1: Check(QZS_glosdi(), true); break;
      case 2: Check(GetExePath(ProcessId()), false); break;
      case 3: Check(VerifyProcessProfile(ProcessId()), true); break;
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
        // The path as the check sees it (up to its first zero unit) may verify.
        std::u16string path;
        for (long long i = 0; luaBytes && i < std::min<long long>(luaLength, scriptBytes) && luaBytes[i]; ++i)
          path += static_cast<unsigned char>(luaBytes[i]);
        fake.trust[path] = Trust();
        const char* text = VerifyEmbeddedSignatureLua(luaBytes, static_cast<int>(luaLength));
        Check(text, false);
        Require(std::strcmp(text, "PASSED") == 0 || std::strcmp(text, "FAILED") == 0, "no verdict", text);
      }
    }
  }
  return 0;
}
