// Fuzz target: the INI layer alone. Any bytes are a profile file; it is
// read, has keys written back into it (merged with what it holds), and is
// read again, all in memory: a file on disk goes through the same line
// splitter, and the merge into one is the same as into a text. How the bytes
// are cut into lines and each line scanned is the ini_lines target's to check.
//
// Properties checked:
//  - a key reads the same whichever other keys are asked for;
//  - after a write, each key written reads back as the reading rules make of
//    the value written (test::AsReadBack), and every other key asked for
//    reads as before, missing ones included;
//  - writing the same keys again leaves the file byte for byte as it was.
//
// The names asked for mix sections and keys of the configuration file with
// names that need care: other letter case, inner blanks, "]" and ";".
// Which keys are written, and with which values, the input decides: a key
// gets the value that the next name read, so that blanks, quotes and long
// values come back in.

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "cfgfile/ProfileKeys.h"
#include "cfgfile/ProfileReader.h"
#include "cfgfile/ProfileWriter.h"
#include "support/FileReadBack.h"

namespace tarnvik::fuzz {

namespace {

constexpr std::array<const char*, 6> kSections{"s", "Radio", "!WARNING", "a b", "x]y", "S2"};
constexpr std::array<const char*, 6> kKeys{"k", "Callsign", "key name", ";c", "x]y", "K2"};

// The names asked for, and the first half of them, each with the keys a
// reader looks for made once.
struct Names {
  explicit Names(std::vector<ini::KeyName> asked) : names(std::move(asked)), keys(names) {}
  std::vector<ini::KeyName> names;
  ini::ProfileKeys keys;
};

const Names& Asked() {
  static const Names asked = [] {
    std::vector<ini::KeyName> names;
    for (const char* section : kSections)
      for (const char* key : kKeys) names.push_back({section, key});
    return Names(std::move(names));
  }();
  return asked;
}

const Names& HalfAsked() {
  static const Names half(
      std::vector<ini::KeyName>(Asked().names.begin(), Asked().names.begin() + std::ssize(Asked().names) / 2));
  return half;
}

using Values = std::vector<std::optional<std::string>>;

Values Read(std::string_view content, const Names& asked) {
  const ini::ProfileReader reader(ini::ProfileText{content}, asked.keys);
  Values values;
  for (const ini::KeyName& name : asked.names) values.push_back(reader.value(name.section, name.key));
  return values;
}

void KeysReadAloneAlike(std::string_view content, const Values& all) {
  const Values some = Read(content, HalfAsked());
  Require(std::equal(some.begin(), some.end(), all.begin()), "a key reads the same whichever others are asked for");
}

// The writes: key i when bit (i mod 8) of the last byte is set, with the
// value read for key i + 1, or a value of its own when that key is missing.
std::vector<std::optional<std::string>> Writes(std::string_view bytes, const Values& before) {
  const unsigned mask = bytes.empty() ? 0u : static_cast<unsigned char>(bytes.back());
  std::vector<std::optional<std::string>> writes(before.size());
  for (std::size_t i = 0; i < before.size(); ++i)
    if (mask & (1u << (i % 8))) writes[i] = before[(i + 1) % before.size()].value_or("v" + std::to_string(i));
  return writes;
}

void WrittenKeysReadBack(std::string_view content, const Values& before,
                         const std::vector<std::optional<std::string>>& writes) {
  const std::vector<ini::KeyName>& asked = Asked().names;
  ini::ProfileWriter writer;
  for (std::size_t i = 0; i < asked.size(); ++i)
    if (writes[i]) writer.write(asked[i].section, asked[i].key, *writes[i]);
  const std::string merged = writer.mergedText(content);
  const Values after = Read(merged, Asked());
  for (std::size_t i = 0; i < asked.size(); ++i) {
    const auto expected = writes[i] ? std::optional(test::AsReadBack(*writes[i])) : before[i];
    if (after[i] != expected)
      Violated(writes[i] ? "a key written reads back as the reading rules say" : "a key not written reads as before",
               "[" + asked[i].section + "] " + asked[i].key + ": '" + after[i].value_or("(missing)") + "' vs '" +
                   expected.value_or("(missing)") + "'");
  }
  Require(writer.mergedText(merged) == merged, "writing the same keys again changes nothing");
}

}  // namespace

}  // namespace tarnvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvik::fuzz;
  const std::string_view bytes = AsText(data, size);

  const Values before = Read(bytes, Asked());
  KeysReadAloneAlike(bytes, before);
  WrittenKeysReadBack(bytes, before, Writes(bytes, before));
  return 0;
}
