// Fuzz target: the INI layer alone. Any bytes are a profile file; it is cut
// into lines, read, has keys written back into it (merged with what it
// holds), and is read again, all in memory: a file on disk goes through the
// same line splitter, and the merge into one is the same as into a text.
//
// Properties checked:
//  - the line splitter gives the same lines and line ends whether the bytes
//    come in one piece or three, and the lines with their ends are the bytes;
//    the line scanner means the same by a line fed whole or byte by byte;
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
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "cfgfile/IniLineScanner.h"
#include "cfgfile/LineSplitter.h"
#include "cfgfile/ProfileReader.h"
#include "cfgfile/ProfileWriter.h"
#include "support/FileReadBack.h"

namespace tarnvik::fuzz {

namespace {

constexpr std::array<const char*, 6> kSections{"s", "Radio", "!WARNING", "a b", "x]y", "S2"};
constexpr std::array<const char*, 6> kKeys{"k", "Callsign", "key name", ";c", "x]y", "K2"};

std::vector<ini::KeyName> Asked() {
  std::vector<ini::KeyName> names;
  for (const char* section : kSections)
    for (const char* key : kKeys) names.push_back({section, key});
  return names;
}

// Lines as the sink heard them: text, then line end.
class Lines : public ini::LineSink {
 public:
  void lineData(std::string_view piece) override {
    Require(!piece.empty() && piece.find_first_of("\r\n") == std::string_view::npos,
            "line pieces are never empty and hold no line end");
    current_ += piece;
  }
  void lineEnd(std::string_view terminator) override {
    lines.push_back({current_, std::string(terminator)});
    current_.clear();
  }
  std::vector<std::pair<std::string, std::string>> lines;

 private:
  std::string current_;
};

Lines Split(std::string_view bytes, std::size_t cut1, std::size_t cut2) {
  Lines lines;
  ini::LineSplitter splitter(lines);
  splitter.feed(bytes.substr(0, cut1));
  splitter.feed(bytes.substr(cut1, cut2 - cut1));
  splitter.feed(bytes.substr(cut2));
  splitter.finish();
  return lines;
}

bool SameLine(const ini::IniLine& a, const ini::IniLine& b) {
  return a.kind == b.kind && a.name == b.name && a.nameTooLong == b.nameTooLong && a.value == b.value;
}

void LinesStreamAlike(std::string_view bytes) {
  const Lines whole = Split(bytes, bytes.size(), bytes.size());
  const std::size_t cut1 = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % bytes.size();
  const std::size_t cut2 = cut1 + (bytes.size() - cut1) / 2;
  Require(Split(bytes, cut1, cut2).lines == whole.lines, "lines split alike whatever pieces the bytes come in");
  std::string joined;
  for (const auto& [text, end] : whole.lines) joined += text + end;
  Require(joined == bytes, "the lines with their ends are the bytes");
  // Two scanners: a line's name and value are views of its scanner's buffers.
  ini::IniLineScanner inOne;
  ini::IniLineScanner byteByByte;
  for (const auto& [text, end] : whole.lines) {
    inOne.feed(text);
    for (char c : text) byteByByte.feed(std::string_view(&c, 1));
    Require(SameLine(inOne.finish(), byteByByte.finish()), "a line means the same fed whole or byte by byte");
  }
}

using Values = std::vector<std::optional<std::string>>;

Values Read(std::string_view content, const std::vector<ini::KeyName>& names) {
  const ini::ProfileReader reader(ini::ProfileText{content}, names);
  Values values;
  for (const ini::KeyName& name : names) values.push_back(reader.value(name.section, name.key));
  return values;
}

void KeysReadAloneAlike(std::string_view content, const std::vector<ini::KeyName>& asked, const Values& all) {
  const std::vector<ini::KeyName> half(asked.begin(), asked.begin() + static_cast<std::ptrdiff_t>(asked.size() / 2));
  const Values some = Read(content, half);
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

void WrittenKeysReadBack(std::string_view content, const std::vector<ini::KeyName>& asked, const Values& before,
                         const std::vector<std::optional<std::string>>& writes) {
  ini::ProfileWriter writer;
  for (std::size_t i = 0; i < asked.size(); ++i)
    if (writes[i]) writer.write(asked[i].section, asked[i].key, *writes[i]);
  const std::string merged = writer.mergedText(content);
  const Values after = Read(merged, asked);
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
  LinesStreamAlike(bytes);

  static const std::vector<tarnvik::ini::KeyName> asked = Asked();
  const Values before = Read(bytes, asked);
  KeysReadAloneAlike(bytes, asked, before);
  WrittenKeysReadBack(bytes, asked, before, Writes(bytes, before));
  return 0;
}
