// A name or value collected from pieces of any size: every short text of
// blanks, tabs and letters, pushed whole, in two pieces and byte by byte,
// keeps the first characters of the text trimmed at both ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cfgfile/BoundedText.h"
#include "cfgfile/IniText.h"

namespace tarnvik::ini {
namespace {

std::vector<std::string> AllTexts(std::size_t maxLength) {
  std::vector<std::string> texts{""};
  for (std::size_t start = 0; texts[start].size() < maxLength; ++start)
    for (char c : {' ', '\t', 'a', 'b'}) texts.push_back(texts[start] + c);
  return texts;
}

TEST(BoundedText, KeepsTheTrimmedStartOfATextPushedInAnyPieces) {
  for (std::size_t capacity : {2u, 3u}) {
    for (const std::string& text : AllTexts(6)) {
      const std::string_view trimmed = TrimBlanks(text);
      std::vector<BoundedText> pushed(3, BoundedText(capacity));
      pushed[0].push(text);
      pushed[1].push(std::string_view(text).substr(0, text.size() / 2));
      pushed[1].push(std::string_view(text).substr(text.size() / 2));
      for (char c : text) pushed[2].push(std::string_view(&c, 1));
      for (const BoundedText& b : pushed) {
        const std::string label = "'" + text + "' in " + std::to_string(capacity);
        EXPECT_EQ(b.text(), trimmed.substr(0, capacity)) << label;
        EXPECT_EQ(b.overflowed(), trimmed.size() > capacity) << label;
        EXPECT_EQ(b.last(), trimmed.empty() ? 0 : trimmed.back()) << label;
      }
    }
  }
}

}  // namespace
}  // namespace tarnvik::ini
