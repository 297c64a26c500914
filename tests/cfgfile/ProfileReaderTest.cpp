#include <gtest/gtest.h>

#include <stdexcept>

#include "FileTestSupport.h"
#include "cfgfile/LineSplitter.h"
#include "cfgfile/ProfileReader.h"
#include "cfgfile/TextDecoder.h"
#include "cfgfile/TextEncoder.h"

namespace tarnvik::ini {
namespace {

using test::TempFolder;
using test::WriteAll;
using E = TextEncoding;

std::optional<std::string> ReadKey(const std::string& content, const std::string& section, const std::string& key) {
  TempFolder dir;
  WriteAll(dir.path("p.ini"), content);
  return ProfileReader(dir.path("p.ini"), {{section, key}}).value(section, key);
}

TEST(ProfileReader, FollowsTheReadingRules) {
  const struct {
    std::string content;
    std::optional<std::string> callsign;
  } cases[] = {
      {"[Radio]\r\nCallsign=AB1CD\r\n", "AB1CD"},
      {"[rADIO]\r\ncALLSIGN=x\r\n", "x"},
      {"[ Radio ]\r\n  Callsign   =   x  y   \r\n", "x  y"},
      {"[Radio]\n\tCallsign\t=\tx\t\n", "x"},
      {"[Radio]\nCallsign=\n", ""},
      {"[Radio]\nCallsign=\"q\"\n", "q"},
      {"[Radio]\nCallsign='q'\n", "q"},
      {"[Radio]\nCallsign=\"q'\n", "\"q'"},
      {"[Radio]\nCallsign=\"\n", "\""},
      {"[Radio]\nCallsign=\"\"\n", ""},
      {"[Radio]\nCallsign=\"a\"b\"\n", "a\"b"},
      {"[Radio]\nCallsign=  ' x '  \n", " x "},
      {"[Radio]\nCallsign=a=b=c\n", "a=b=c"},
      {"[Radio]\nCallsign=x ;not a comment\n", "x ;not a comment"},
      {"[Radio]\nCallsign=first\nCALLSIGN=second\n", "first"},
      {"[Radio]\nSSID=1\n[radio]\nCallsign=late\n", std::nullopt},
      {"[Radio]\nCallsign\nCallsign=x\n", "x"},
      {"[Radio]\rCallsign=cr\r", "cr"},
      {"[Radio]\nCallsign=end", "end"},
      {"[Beacons]\nCallsign=x\n", std::nullopt},
      {"Callsign=x\n[Radio]\n", std::nullopt},
      {"[Radio] junk\nCallsign=x\n", "x"},
      {"[Radio]\n[Beacons\nCallsign=x\n", "x"},
      {"[Radio]\n[Other]\nCallsign=x\n", std::nullopt},
      {std::string("[Radio]\nCallsign=a\0b\n", 21), "a"},
      {std::string("[Radio]\nCallsign=\0\n", 19), ""},
      {std::string("[Radio]\nCallsign= 'a' \0'\n", 25), "a"},
      {std::string("[Radio]\nCallsign=\"a \0\"\n", 23), "\"a"},
      {std::string("[Radio]\nCallsign=a\0\nCallsign=b\n", 31), "a"},
      {std::string("[Radio]\nCall\0sign=a\nCallsign=b\n", 31), "b"},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadKey(c.content, "Radio", "Callsign"), c.callsign) << c.content;
  EXPECT_EQ(ReadKey("[Ra]dio]\nCallsign=x\n", "Ra]dio", "Callsign"), "x");
}

TEST(ProfileReader, ReadsAtMost2047Characters) {
  const std::string x(5000, 'x'), y(5000, 'y');
  EXPECT_EQ(ReadKey("[Radio]\nCallsign=" + x + "\n", "Radio", "Callsign"), x.substr(0, 2047));
  EXPECT_EQ(ReadKey("[Radio]\nCallsign=\"" + y + "\"\n", "Radio", "Callsign"), y.substr(0, 2047));
  EXPECT_EQ(ReadKey("[Radio]\nCallsign=\"" + y + "\n", "Radio", "Callsign"), "\"" + y.substr(0, 2046));
  EXPECT_EQ(ReadKey("[Radio]\nCallsign='" + y.substr(0, 2047) + "'\n", "Radio", "Callsign"), y.substr(0, 2047));
  const std::string spaced = "a" + std::string(3000, ' ') + "b";
  EXPECT_EQ(ReadKey("[Radio]\nCallsign=" + spaced + "   \n", "Radio", "Callsign"), spaced.substr(0, 2047));
  EXPECT_EQ(ReadKey("[Radio" + std::string(3000, ' ') + "]\nCallsign" + std::string(3000, '\t') + "=v\n", "Radio",
                    "Callsign"),
            "v");
}

TEST(ProfileReader, MissingOrUnreadableFilesHaveNoKeys) {
  TempFolder dir;
  EXPECT_EQ(ProfileReader(dir.path("none.ini"), {{"Radio", "Callsign"}}).value("Radio", "Callsign"), std::nullopt);
  EXPECT_EQ(ProfileReader(dir.root(), {{"Radio", "Callsign"}}).value("Radio", "Callsign"), std::nullopt);
  EXPECT_THROW(ProfileReader(dir.path("none.ini"), {{"Radio", "Callsign"}}).value("Radio", "SSID"), std::logic_error);
}

TEST(ProfileReader, NumbersAndFlagsFallBackWhenNotANumber) {
  TempFolder dir;
  WriteAll(dir.path("p.ini"), "[S]\na=0x20\nb=$1F\nc=-7\nd=abc\ne=\nf=99999999999\ng=2\nh=yes\ni=0\nj= +12 \n");
  std::vector<KeyName> wanted;
  for (const char* key : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "missing"}) wanted.push_back({"S", key});
  const ProfileReader file(dir.path("p.ini"), wanted);
  const int expected[] = {32, 31, -7, 5, 5, 5, 2, 5, 0, 12, 5};
  for (std::size_t i = 0; i < wanted.size(); ++i)
    EXPECT_EQ(file.readInteger("S", wanted[i].key, 5), expected[i]) << wanted[i].key;
  EXPECT_TRUE(file.readFlag("S", "g", false));
  EXPECT_FALSE(file.readFlag("S", "h", false));
  EXPECT_TRUE(file.readFlag("S", "h", true));
  EXPECT_FALSE(file.readFlag("S", "i", true));
  EXPECT_EQ(file.readText("S", "missing", "dflt"), "dflt");
}

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

// The file arrives in chunks; a CR LF split between two chunks is still one line end.
TEST(LineSplitter, LineEndsDoNotDependOnWhereChunksEnd) {
  const std::string text = "a\r\nb\rc\nd\r\r\ne\n\rf";
  RecordingSink whole;
  LineSplitter all(whole);
  all.feed(text);
  all.finish();
  EXPECT_EQ(whole.lines, (std::vector<std::string>{"a|\r\n", "b|\r", "c|\n", "d|\r", "|\r\n", "e|\n", "|\r", "f|"}));
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    RecordingSink parts;
    LineSplitter split(parts);
    split.feed(std::string_view(text).substr(0, cut));
    split.feed(std::string_view(text).substr(cut));
    split.finish();
    EXPECT_EQ(parts.lines, whole.lines) << "cut at " << cut;
  }
}

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

// The blanks that names and values lose at both ends are the system's:
// space, tab, vertical tab, form feed, and the end-of-file mark Ctrl+Z of old
// editors; other control characters and the no-break space are text.
TEST(ProfileReader, TrimsTheSystemsBlanks) {
  const struct {
    std::string content;
    std::string callsign;
  } cases[] = {
      {"[Radio]\r\nCallsign=0\x1A", "0"},
      {"[Radio]\r\nCallsign=0\r\n\x1A", "0"},
      {"\x1A[\vRadio\f]\x1A\n\f\vCallsign\x1A\t=\v\"q\"\f \n", "q"},
      {"[Radio]\nCallsign=\x1A\v\f\n", ""},
      {"[Radio]\nCallsign='\vx\x1A'\n", "\vx\x1A"},
      {"[Radio]\nCallsign=\x1B\x1Cx\x1F\x7F\n", "\x1B\x1Cx\x1F\x7F"},
      {"[Radio]\nCallsign=\xA0x\xA0\n", "\xA0x\xA0"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadKey(c.content, "Radio", "Callsign"), c.callsign) << c.content;
}

}  // namespace
}  // namespace tarnvik::ini
