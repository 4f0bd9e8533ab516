#include "plugin/engine_binding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "plugin/engine_lookup_names.h"

namespace {

using qz::engine::EngineBlock;
using qz::engine::EngineFunction;

// A stand-in engine: its interface block holds the lookup function at byte
// 2608 and nothing else of interest; the lookup records every name.
struct RecordingEngine {
  static std::vector<std::string> asked;
  static std::map<std::string, int> timesAsked;
  static bool answerNull;

  static void* Lookup(const char* name) {
    asked.emplace_back(name);
    int n = ++timesAsked[name];
    if (answerNull) return nullptr;
    // A distinct made-up address per name and per request of that name.
    return reinterpret_cast<void*>(0x100000 + 0x1000 * asked.size() + n);
  }

  unsigned char block[4096] = {};

  RecordingEngine() {
    asked.clear();
    timesAsked.clear();
    answerNull = false;
    qz::engine::LookupFunction lookup = &Lookup;
    std::memcpy(block + qz::engine::kLookupFunctionOffset, &lookup, sizeof lookup);
  }
};
std::vector<std::string> RecordingEngine::asked;
std::map<std::string, int> RecordingEngine::timesAsked;
bool RecordingEngine::answerNull = false;

TEST(EngineLookupList, Has434EntriesOf432NamesWithTwoRepeated) {
  ASSERT_EQ(qz::engine::kLookupCount, 434u);
  std::map<std::string, std::vector<size_t>> positions;
  for (size_t i = 0; i < qz::engine::kLookupCount; ++i) positions[qz::engine::kLookupNames[i]].push_back(i + 1);
  EXPECT_EQ(positions.size(), qz::engine::kFunctionCount);
  std::map<std::string, std::vector<size_t>> repeated;
  for (const auto& [name, at] : positions)
    if (at.size() > 1) repeated[name] = at;
  EXPECT_EQ(repeated, (std::map<std::string, std::vector<size_t>>{{"engine_getvar", {93, 423}},
                                                                  {"ent_nextlight", {113, 132}}}));
  EXPECT_STREQ(qz::engine::kLookupNames[0], "_chr");
  EXPECT_STREQ(qz::engine::kLookupNames[433], "engine_debugstep");
}

TEST(EngineLookupList, RepeatedNamesShareOneTableEntryAndOthersHaveTheirOwn) {
  std::map<size_t, std::string> nameOfEntry;
  for (size_t i = 0; i < qz::engine::kLookupCount; ++i) {
    size_t entry = qz::engine::TableIndexOfLookup(i);
    ASSERT_LT(entry, qz::engine::kFunctionCount);
    auto [it, inserted] = nameOfEntry.emplace(entry, qz::engine::kLookupNames[i]);
    EXPECT_EQ(it->second, qz::engine::kLookupNames[i]) << "entry " << entry << " shared by two names";
  }
  EXPECT_EQ(nameOfEntry.size(), qz::engine::kFunctionCount);
}

TEST(EngineBinding, TableAndBlockPointerStartZero) {
  EXPECT_EQ(EngineBlock(), nullptr);
  for (size_t i = 0; i < qz::engine::kLookupCount; ++i) EXPECT_EQ(EngineFunction(qz::engine::kLookupNames[i]), nullptr);
}

TEST(EngineBinding, AsksForEveryNameInListOrderAndKeepsEachAnswer) {
  RecordingEngine engine;
  EXPECT_EQ(A6_DLLAPI(engine.block), 630);

  ASSERT_EQ(RecordingEngine::asked.size(), 434u);
  for (size_t i = 0; i < 434; ++i) EXPECT_EQ(RecordingEngine::asked[i], qz::engine::kLookupNames[i]) << "call " << i + 1;
  EXPECT_EQ(RecordingEngine::asked[92], "engine_getvar");
  EXPECT_EQ(RecordingEngine::asked[422], "engine_getvar");
  EXPECT_EQ(RecordingEngine::asked[112], "ent_nextlight");
  EXPECT_EQ(RecordingEngine::asked[131], "ent_nextlight");

  EXPECT_EQ(EngineBlock(), engine.block);
  // Each entry holds the answer to the latest request of its name: for a
  // repeated name that is the second answer.
  EXPECT_EQ(EngineFunction("_chr"), reinterpret_cast<void*>(0x100000 + 0x1000 * 1 + 1));
  EXPECT_EQ(EngineFunction("engine_getvar"), reinterpret_cast<void*>(0x100000 + 0x1000 * 423 + 2));
  EXPECT_EQ(EngineFunction("ent_nextlight"), reinterpret_cast<void*>(0x100000 + 0x1000 * 132 + 2));
  EXPECT_EQ(EngineFunction("engine_debugstep"), reinterpret_cast<void*>(0x100000 + 0x1000 * 434 + 1));
  EXPECT_EQ(EngineFunction("not_an_engine_function"), nullptr);
}

TEST(EngineBinding, ReadsOnlyTheLookupAddressFromTheBlock) {
  RecordingEngine engine;
  unsigned char before[sizeof engine.block];
  std::memset(engine.block, 0xAB, qz::engine::kLookupFunctionOffset);
  std::memcpy(before, engine.block, sizeof before);
  A6_DLLAPI(engine.block);
  EXPECT_EQ(std::memcmp(before, engine.block, sizeof before), 0);
  EXPECT_EQ(RecordingEngine::asked.size(), 434u);
}

TEST(EngineBinding, NullAnswersAreStoredLikeAnyOther) {
  RecordingEngine engine;
  A6_DLLAPI(engine.block);
  ASSERT_NE(EngineFunction("vec_set"), nullptr);

  RecordingEngine::answerNull = true;
  EXPECT_EQ(A6_DLLAPI(engine.block), 630);
  for (size_t i = 0; i < qz::engine::kLookupCount; ++i) EXPECT_EQ(EngineFunction(qz::engine::kLookupNames[i]), nullptr);
}

TEST(EngineBinding, SecondCallRepeatsEveryLookupAndOverwrites) {
  RecordingEngine first;
  A6_DLLAPI(first.block);
  void* firstAnswer = EngineFunction("str_cpy");

  RecordingEngine second;
  EXPECT_EQ(A6_DLLAPI(second.block), 630);
  EXPECT_EQ(RecordingEngine::asked.size(), 434u);
  EXPECT_EQ(EngineBlock(), second.block);
  EXPECT_NE(EngineFunction("str_cpy"), nullptr);
  EXPECT_EQ(EngineFunction("str_cpy"), firstAnswer) << "same position, same made-up answer";
  EXPECT_EQ(RecordingEngine::timesAsked["engine_getvar"], 2);
}

TEST(EngineBinding, NullBlockOrNullLookupAnswers630WithoutCalling) {
  RecordingEngine engine;
  A6_DLLAPI(engine.block);
  void* kept = EngineFunction("beep");
  RecordingEngine::asked.clear();

  EXPECT_EQ(A6_DLLAPI(nullptr), 630);
  EXPECT_EQ(EngineBlock(), nullptr);

  unsigned char noLookup[4096] = {};
  EXPECT_EQ(A6_DLLAPI(noLookup), 630);
  EXPECT_EQ(EngineBlock(), noLookup);

  EXPECT_TRUE(RecordingEngine::asked.empty());
  EXPECT_EQ(EngineFunction("beep"), kept) << "the table keeps the last real answers";
}

}  // namespace
