#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cfgfile/TextDecoder.h"
#include "cfgfile/TextEncoder.h"

namespace tarnvik::ini {
namespace {

using E = TextEncoding;

class RecordingSink : public LineSink {
 public:
  void textEncoding(TextEncoding told) override { encodings.push_back(told); }
  void lineData(std::string_view piece) override { current += piece; }
  void lineEnd(std::string_view terminator) override {
    lines.push_back(current + "|" + std::string(terminator));
    current.clear();
  }
  void strayByte(char byte) override { stray += byte; }
  std::vector<TextEncoding> encodings;
  std::vector<std::string> lines;
  std::string current, stray;
};

// The encoding a mark names, told once; the text without the mark, UTF-16
// as UTF-8, wherever the chunks end; bytes that only start like a mark, or a
// mark later on, are text. Encoded again, the lines and a stray byte give
// back the file's bytes exactly, which is what lets a save keep them.
TEST(TextDecoder, HandsOnTheTextWithoutItsMarkAndLosesNothing) {
  const struct {
    std::string bytes;
    TextEncoding encoding;
    std::vector<std::string> lines;
    std::string stray;
  } cases[] = {
      {"", E::Bytes, {}, ""},
      {"k=\xE4\r\n", E::Bytes, {"k=\xE4|\r\n"}, ""},
      {"\xEF\xBB\xBF[A]\r\nk=v\r\n", E::Utf8, {"[A]|\r\n", "k=v|\r\n"}, ""},
      {"\xEF\xBB\xBF", E::Utf8, {}, ""},
      {"\xEF\xBB\xBF\xEF\xBB\xBFx", E::Utf8, {"\xEF\xBB\xBFx|"}, ""},
      {"\xEF\xBB[A]\n", E::Bytes, {"\xEF\xBB[A]|\n"}, ""},
      {"\xEF\n", E::Bytes, {"\xEF|\n"}, ""},
      {"[A]\n\xEF\xBB\xBFk=v\n", E::Bytes, {"[A]|\n", "\xEF\xBB\xBFk=v|\n"}, ""},
      {"\xFF", E::Bytes, {"\xFF|"}, ""},
      {"\xFE\xFE", E::Bytes, {"\xFE\xFE|"}, ""},
      {std::string("\xFF\xFEk\0=\0\xE4\0\r\0\n\0\xAC\x20", 14), E::Utf16Le, {"k=\xC3\xA4|\r\n", "\xE2\x82\xAC|"}, ""},
      {std::string("\xFE\xFF\0k\0\r\0\r", 8), E::Utf16Be, {"k|\r", "|\r"}, ""},
      {std::string("\xFF\xFE=\xD8\0\xDE", 6), E::Utf16Le, {"\xF0\x9F\x98\x80|"}, ""},  // a pair
      {std::string("\xFF\xFE\0\xD8\0\xD8\0\xDC", 8), E::Utf16Le, {"\xED\xA0\x80\xF0\x90\x80\x80|"}, ""},
      {std::string("\xFE\xFF\xDC\0\xD8\0", 6), E::Utf16Be, {"\xED\xB0\x80\xED\xA0\x80|"}, ""},  // lone ones
      {std::string("\xFF\xFE\0\0x", 5), E::Utf16Le, {std::string("\0|", 2)}, "x"},
      {"\xFE\xFFx", E::Utf16Be, {}, "x"},
  };
  for (const auto& c : cases) {
    for (std::size_t cut = 0; cut <= c.bytes.size(); ++cut) {
      SCOPED_TRACE(testing::PrintToString(c.bytes) + " cut at " + std::to_string(cut));
      RecordingSink sink;
      TextDecoder decoder(sink);
      decoder.feed(std::string_view(c.bytes).substr(0, cut));
      decoder.feed(std::string_view(c.bytes).substr(cut));
      decoder.finish();
      EXPECT_EQ(sink.encodings, std::vector<TextEncoding>{c.encoding});
      EXPECT_EQ(sink.lines, c.lines);
      EXPECT_EQ(sink.stray, c.stray);

      std::string again;
      TextEncoder encoder([&again](std::string_view bytes) { again += bytes; });
      encoder.begin(c.encoding);
      for (const std::string& line : sink.lines) {
        const std::size_t bar = line.rfind('|');
        for (const char byte : line.substr(0, bar)) encoder.fileText(std::string_view(&byte, 1));
        encoder.fileText(line.substr(bar + 1));
      }
      encoder.raw(sink.stray);
      EXPECT_EQ(again, c.bytes);
    }
  }
}

}  // namespace
}  // namespace tarnvik::ini
