#pragma once
// Reading the simulator's JSON files (the account file, the app's
// definitions) member by member: each member is named by its path, as
// "stats"."RUN" or "events"[0]."overlay", and one that is not what the file
// allows throws BadMember, whose text says which and what it must be.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

namespace qz::sim {

using nlohmann::json;

struct BadMember : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The path of member `key` of the object at `path` ("" for the top), and of
// element `index` of the array there.
std::string Key(const std::string& path, const std::string& key);
std::string Index(const std::string& path, std::size_t index);

// Throws: member <path> must be <expected>, but is <what value is>.
[[noreturn]] void Bad(const std::string& path, const std::string& expected, const json& value);

// The parsed text; a member given twice in one object is refused (the
// parser alone would keep the last one silently).
json ParseMembers(const std::string& text);

bool Boolean(const json& value, const std::string& path);
// A whole number from 0 to `most`.
uint64_t Unsigned(const json& value, const std::string& path, uint64_t most, const char* expected);
// A whole number from `least` to INT32_MAX.
int32_t Int32(const json& value, const std::string& path, int64_t least, const char* expected);
const json& Object(const json& value, const std::string& path);
const json& Array(const json& value, const std::string& path, const char* expected);
std::string String(const json& value, const std::string& path, const char* expected);

}  // namespace qz::sim
