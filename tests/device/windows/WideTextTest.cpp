// Conversions between UTF-8 and Windows' wide texts: lossless for valid
// text (paths must reopen), replacement characters for broken text, and the
// system's messages as 8-bit log text.
#include <gtest/gtest.h>

#include "device/windows/WideText.h"

namespace tarnvik::winhid {
namespace {

TEST(WideText, ValidTextConvertsBothWaysWithoutLoss) {
  struct Case {
    const char* utf8;
    std::u16string wide;
  };
  const Case cases[] = {
      {"", u""},
      {"\\\\?\\hid#vid_0483&pid_a04a#7&2b3c&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}",
       u"\\\\?\\hid#vid_0483&pid_a04a#7&2b3c&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}"},
      {"unit \xC3\xA4.cfg", u"unit \u00E4.cfg"},  // two bytes
      {"K\xC3\xA4ytt\xC3\xA4j\xC3\xA4\\unit.cfg", u"K\u00E4ytt\u00E4j\u00E4\\unit.cfg"},
      {"\xE8\xAE\xBE\xE7\xBD\xAE.cfg", u"\u8BBE\u7F6E.cfg"},    // three bytes
      {"\xF0\x9F\x93\xA1", u"\xD83D\xDCE1"},                    // four bytes: a surrogate pair
      {"\xEF\xBF\xBF\xF4\x8F\xBF\xBF", u"\xFFFF\xDBFF\xDFFF"},  // the highest of each length
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf16FromUtf8(c.utf8), c.wide) << c.utf8;
    EXPECT_EQ(Utf8FromUtf16(c.wide), c.utf8) << c.utf8;
  }
  const std::string withZero("a\0b", 3);
  EXPECT_EQ(Utf8FromUtf16(Utf16FromUtf8(withZero)), withZero);  // a zero inside a view is a character
}

TEST(WideText, BrokenTextBecomesReplacementCharacters) {
  const std::u16string bad(1, u'\xFFFD');
  struct Utf8Case {
    std::string utf8;
    std::u16string wide;
  };
  const Utf8Case fromUtf8[] = {
      {"\xFF", bad},
      {"a\x80z", u"a" + bad + u"z"},                          // a stray continuation byte
      {"\xE8\xAE", bad + bad},                                // cut short at the end
      {"\xE8\xAEz", bad + bad + u"z"},                        // cut short before a letter
      {"\xC0\xAF", bad + bad},                                // overlong '/'
      {"\xE0\x80\xAF", bad + bad + bad},                      // overlong again
      {"\xED\xA0\x80", bad + bad + bad},                      // a surrogate written as UTF-8
      {"\xF4\x90\x80\x80", bad + bad + bad + bad},            // beyond U+10FFFF
      {"\xF8\x88\x80\x80\x80", bad + bad + bad + bad + bad},  // five-byte forms do not exist
  };
  for (const Utf8Case& c : fromUtf8) EXPECT_EQ(Utf16FromUtf8(c.utf8), c.wide) << testing::PrintToString(c.utf8);

  const std::string replacement = "\xEF\xBF\xBD";
  struct WideCase {
    std::u16string wide;
    std::string utf8;
  };
  const WideCase fromWide[] = {
      {u"a\xD83D", "a" + replacement},               // a high surrogate at the end
      {u"\xD83Dz", replacement + "z"},               // followed by no low one
      {u"\xDCE1\xD83D", replacement + replacement},  // the pair in the wrong order
  };
  for (const WideCase& c : fromWide) EXPECT_EQ(Utf8FromUtf16(c.wide), c.utf8) << c.utf8;
}

TEST(WideText, SystemMessagesBecomeUtf8LogText) {
  struct Case {
    std::u16string message;
    std::string log;
  };
  const Case cases[] = {
      {u"Access is denied.\r\n", "Access is denied."},
      {u"Acc\u00E8s refus\u00E9.\r\n", "Acc\xC3\xA8s refus\xC3\xA9."},
      {u"\u62D2\u7EDD\u8BBF\u95EE\u3002\r\n", "\xE6\x8B\x92\xE7\xBB\x9D\xE8\xAE\xBF\xE9\x97\xAE\xE3\x80\x82"},
      {u"\xD83D\xDCE1 gone", "\xF0\x9F\x93\xA1 gone"},  // a surrogate pair is one character
      {u"two\r\nlines\tand\x07 a bell", "two  lines and a bell"},
      {u"  \r\n", ""},
      {u"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LogTextFromUtf16(c.message), c.log) << c.log;
}

}  // namespace
}  // namespace tarnvik::winhid
