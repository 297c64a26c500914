// The program's bytes as a console is given them: its UTF-8 messages and
// names, and the unit's ISO 8859-1 values, each as their characters.
#include <gtest/gtest.h>

#include "platform/ConsoleText.h"

namespace tarnvik::platform {
namespace {

TEST(ConsoleText, Utf8WhereItIsValidAndIso88591ForEveryOtherByte) {
  const struct {
    const char* what;
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"ASCII with its line ends", "Callsign=OH2XYZ\r\n", u"Callsign=OH2XYZ\r\n"},
      {"a name in UTF-8", "unit \xC3\xA4.cfg", u"unit \u00E4.cfg"},
      {"a value in ISO 8859-1", "M\xE4ki", u"M\u00E4ki"},
      {"both in one message", "Unable to read K\xC3\xA4ytt\xC3\xA4j\xC3\xA4: '\xE4' is not valid",
       u"Unable to read K\u00E4ytt\u00E4j\u00E4: '\u00E4' is not valid"},
      {"three bytes", "\xE9\x85\x8D\xE7\xBD\xAE.cfg", u"\u914D\u7F6E.cfg"},
      {"four bytes: a surrogate pair", "\xF0\x9F\x93\xA1", u"\U0001F4E1"},
      {"an overlong form", "\xC0\xAF", u"\u00C0\u00AF"},
      {"a surrogate in UTF-8", "\xED\xA0\x80", u"\u00ED\u00A0\u0080"},
      {"past U+10FFFF", "\xF4\x90\x80\x80", u"\u00F4\u0090\u0080\u0080"},
      {"cut short at the end", "ab\xC3", u"ab\u00C3"},
      {"a lead without its continuation", "\xC3(", u"\u00C3("},
      {"every ISO 8859-1 letter's byte", "\xFF\xA0\x80", u"\u00FF\u00A0\u0080"},
      {"zero and the old end-of-file mark", std::string("\0\x1a", 2), std::u16string(u"\0\x1a", 2)},
  };
  for (const auto& c : cases) EXPECT_EQ(ConsoleText(c.bytes), c.text) << c.what;
}

TEST(ConsoleText, ACharacterCutAtTheEndWaitsForItsOtherBytes) {
  const struct {
    std::string bytes;
    std::size_t complete;
  } cases[] = {
      {"abc", 3},
      {"ab\xC3", 2},
      {"ab\xE9\x85", 2},
      {"ab\xE9\x85\x8D", 5},
      {"\xF0\x9F\x93", 0},
      {"\xF0\x9F\x93\xA1", 4},
      {"M\xE4", 1},  // may be the start of a character: the next bytes tell
      {"\x80\x80\x80\x80", 4},
      {"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CompleteLength(c.bytes), c.complete) << c.bytes;
}

}  // namespace
}  // namespace tarnvik::platform
