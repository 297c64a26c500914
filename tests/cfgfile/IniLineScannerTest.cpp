#include <gtest/gtest.h>

#include <string>

#include "cfgfile/IniLineScanner.h"
#include "cfgfile/IniText.h"

namespace tarnvik::ini {
namespace {

struct Meaning {
  IniLine::Kind kind;
  std::string name;
  bool nameTooLong;
  std::string value;
};

Meaning Of(const IniLine& line) {
  return {line.kind, std::string(line.name), line.nameTooLong, std::string(line.value)};
}

// The line fed whole, byte by byte, and cut in two at every point means the
// same each time; one scanner serves every line, so each line also shows
// that nothing of the one before it is left over.
TEST(IniLineScanner, MeansTheSameHoweverTheLineIsFed) {
  using K = IniLine::Kind;
  const std::string longName(kMaxNameLength + 1, 'n');
  const std::string longValue(kMaxValueLength + 5, 'v');
  const struct {
    std::string line;
    Meaning meaning;
  } cases[] = {
      {"", {K::Blank, "", false, ""}},
      {" \t ", {K::Blank, "", false, ""}},
      {"[Radio]", {K::Header, "Radio", false, ""}},
      {" [ a b ]x] ;c", {K::Header, "a b ]x", false, ""}},
      {"[open", {K::Other, "", false, ""}},
      {"Key=Value", {K::Key, "Key", false, "Value"}},
      {"\t k y \t=\t \"q v\" \t", {K::Key, "k y", false, "q v"}},
      {"k='x\"", {K::Key, "k", false, "'x\""}},
      {"k=a=b", {K::Key, "k", false, "a=b"}},
      {std::string("k=ab\0cd", 7), {K::Key, "k", false, "ab"}},
      {"no equals", {K::Other, "", false, ""}},
      {"=v", {K::Key, "", false, "v"}},
      {"[" + longName + "]", {K::Header, longName.substr(0, kMaxNameLength), true, ""}},
      {longName + "=v", {K::Other, "", false, ""}},
      {"k=" + longValue, {K::Key, "k", false, longValue.substr(0, kMaxValueLength)}},
      {"k=\"" + longValue + "\"", {K::Key, "k", false, longValue.substr(0, kMaxValueLength)}},
  };
  IniLineScanner scanner;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line.substr(0, 40));
    auto expectMeaning = [&](const IniLine& line) {
      const Meaning m = Of(line);
      EXPECT_EQ(m.kind, c.meaning.kind);
      EXPECT_EQ(m.name, c.meaning.name);
      EXPECT_EQ(m.nameTooLong, c.meaning.nameTooLong);
      EXPECT_EQ(m.value, c.meaning.value);
    };
    scanner.feed(c.line);
    expectMeaning(scanner.finish());
    for (char ch : c.line) scanner.feed(std::string_view(&ch, 1));
    expectMeaning(scanner.finish());
    for (std::size_t cut = 0; cut <= c.line.size(); cut += 1 + c.line.size() / 16) {
      scanner.feed(std::string_view(c.line).substr(0, cut));
      scanner.feed(std::string_view(c.line).substr(cut));
      expectMeaning(scanner.finish());
    }
  }
}

}  // namespace
}  // namespace tarnvik::ini
