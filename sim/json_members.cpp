#include "sim/json_members.h"

#include <set>
#include <vector>

namespace qz::sim {

std::string Key(const std::string& path, const std::string& key) {
  return path + (path.empty() ? "\"" : ".\"") + key + "\"";
}

std::string Index(const std::string& path, std::size_t index) { return path + "[" + std::to_string(index) + "]"; }

void Bad(const std::string& path, const std::string& expected, const json& value) {
  const std::string type = value.type_name();
  const std::string found = value.is_number()                   ? "the number " + value.dump()
                            : type == "object" || type == "array" ? "an " + type
                                                                  : "a " + type;
  throw BadMember("member " + path + " must be " + expected + ", but is " + found);
}

json ParseMembers(const std::string& text) {
  // The containers being read, innermost last, with the keys seen in each.
  struct Level {
    std::string path;
    bool object;
    std::set<std::string> keys;
    std::string key;
    std::size_t next = 0;
  };
  std::vector<Level> levels;
  auto nextPath = [&levels]() -> std::string {
    if (levels.empty()) return "";
    Level& top = levels.back();
    return top.object ? Key(top.path, top.key) : Index(top.path, top.next++);
  };
  using Event = json::parse_event_t;
  return json::parse(text, [&](int, Event event, json& parsed) {
    if (event == Event::object_start || event == Event::array_start) {
      std::string path = nextPath();
      levels.push_back({std::move(path), event == Event::object_start, {}, {}});
    } else if (event == Event::object_end || event == Event::array_end) {
      levels.pop_back();
    } else if (event == Event::key) {
      Level& top = levels.back();
      top.key = parsed.get<std::string>();
      if (!top.keys.insert(top.key).second) {
        throw BadMember("member " + Key(top.path, top.key) + " must be given once, but is given twice");
      }
    } else if (event == Event::value) {
      nextPath();
    }
    return true;
  });
}

bool Boolean(const json& value, const std::string& path) {
  if (!value.is_boolean()) Bad(path, "true or false", value);
  return value.get<bool>();
}

uint64_t Unsigned(const json& value, const std::string& path, uint64_t most, const char* expected) {
  if (!value.is_number_unsigned() || value.get<uint64_t>() > most) Bad(path, expected, value);
  return value.get<uint64_t>();
}

int32_t Int32(const json& value, const std::string& path, int64_t least, const char* expected) {
  // Read unsigned numbers as such: beyond INT64_MAX they would wrap to negative ones.
  const bool fits = value.is_number_unsigned() ? value.get<uint64_t>() <= INT32_MAX
                                               : value.is_number_integer() && value.get<int64_t>() <= INT32_MAX;
  if (!fits || value.get<int64_t>() < least) Bad(path, expected, value);
  return static_cast<int32_t>(value.get<int64_t>());
}

const json& Object(const json& value, const std::string& path) {
  if (!value.is_object()) Bad(path, "an object", value);
  return value;
}

const json& Array(const json& value, const std::string& path, const char* expected) {
  if (!value.is_array()) Bad(path, expected, value);
  return value;
}

std::string String(const json& value, const std::string& path, const char* expected) {
  if (!value.is_string()) Bad(path, expected, value);
  return value.get<std::string>();
}

}  // namespace qz::sim
