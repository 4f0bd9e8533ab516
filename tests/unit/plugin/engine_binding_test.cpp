#include "plugin/engine_binding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "include/QZSteam.h"
#include "plugin/engine_lookup_names.h"

namespace {

using qz::engine::EngineBlock;
using qz::engine::EngineFunction;

// A stand-in engine: its interface block holds the lookup function at byte
// 2608 (the rest is filled with a pattern); the lookup records every name and
// answers a distinct made-up address per request, or null.
struct RecordingEngine {
  static std::vector<std::string> asked;
  static bool answerNull;
  static void* Answer(std::size_t request) { return reinterpret_cast<void*>(0x100000 + 0x10 * request); }
  static void* Lookup(const char* name) {
    asked.emplace_back(name);
    return answerNull ? nullptr : Answer(asked.size());
  }

  unsigned char block[4096];
  RecordingEngine() {
    asked.clear();
    std::memset(block, 0xAB, sizeof block);
    qz::engine::LookupFunction lookup = &Lookup;
    std::memcpy(block + 2608, &lookup, sizeof lookup);
  }
};
std::vector<std::string> RecordingEngine::asked;
bool RecordingEngine::answerNull = false;

// Every name's table entry holds the answer to its latest request, so no two
// names share an entry and a repeated name keeps its second answer.
void ExpectLatestAnswers() {
  std::map<std::string, void*> latest;
  for (std::size_t i = 0; i < RecordingEngine::asked.size(); ++i)
    latest[RecordingEngine::asked[i]] = RecordingEngine::answerNull ? nullptr : RecordingEngine::Answer(i + 1);
  ASSERT_EQ(latest.size(), 432u);
  for (const auto& [name, answer] : latest) EXPECT_EQ(EngineFunction(name.c_str()), answer) << name;
}

TEST(EngineBinding, AsksFor434NamesInListOrderAndKeepsEachLatestAnswer) {
  EXPECT_EQ(EngineBlock(), nullptr);
  EXPECT_EQ(EngineFunction("_chr"), nullptr) << "the table starts zero";
  RecordingEngine engine;
  unsigned char before[sizeof engine.block];
  std::memcpy(before, engine.block, sizeof before);

  EXPECT_EQ(A6_DLLAPI(engine.block), 630);
  EXPECT_EQ(std::memcmp(before, engine.block, sizeof before), 0) << "the block is only read";
  EXPECT_EQ(EngineBlock(), engine.block);
  ASSERT_EQ(RecordingEngine::asked.size(), 434u);
  for (std::size_t i = 0; i < 434; ++i) EXPECT_EQ(RecordingEngine::asked[i], qz::engine::kLookupNames[i]) << i + 1;
  EXPECT_EQ(RecordingEngine::asked.front() + RecordingEngine::asked.back(), "_chrengine_debugstep");
  for (std::size_t position : {93, 423}) EXPECT_EQ(RecordingEngine::asked[position - 1], "engine_getvar");
  for (std::size_t position : {113, 132}) EXPECT_EQ(RecordingEngine::asked[position - 1], "ent_nextlight");
  ExpectLatestAnswers();
  EXPECT_EQ(EngineFunction("not_an_engine_function"), nullptr);
}

// A second call overwrites every entry, also with null; a null block or
// lookup then answers 630 without a lookup and the table keeps the answers.
TEST(EngineBinding, ASecondCallOverwritesEveryEntryAndANullBlockNone) {
  RecordingEngine first;
  A6_DLLAPI(first.block);
  RecordingEngine second;
  RecordingEngine::answerNull = true;
  EXPECT_EQ(A6_DLLAPI(second.block), 630);
  EXPECT_EQ(EngineBlock(), second.block);
  ExpectLatestAnswers();

  RecordingEngine::answerNull = false;
  RecordingEngine::asked.clear();
  A6_DLLAPI(second.block);
  RecordingEngine::asked.clear();
  unsigned char noLookup[4096] = {};
  EXPECT_EQ(A6_DLLAPI(nullptr) + A6_DLLAPI(noLookup), 2 * 630);
  EXPECT_EQ(EngineBlock(), noLookup);
  EXPECT_TRUE(RecordingEngine::asked.empty());
  EXPECT_EQ(EngineFunction("beep"), RecordingEngine::Answer(23));
}

}  // namespace
