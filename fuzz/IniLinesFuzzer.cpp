// Fuzz target: how the INI layer cuts any bytes into lines and scans each
// line (LineSplitter, IniLineScanner), as every read and every merge of a
// profile file does.
//
// Properties checked:
//  - the line splitter gives the same lines and line ends whether the bytes
//    come in one piece or three, and the lines with their ends are the bytes;
//  - line pieces are never empty and hold no line end;
//  - the line scanner means the same by a line fed whole or byte by byte.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "cfgfile/IniLineScanner.h"
#include "cfgfile/LineSplitter.h"

namespace tarnvik::fuzz {

namespace {

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

}  // namespace

}  // namespace tarnvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarnvik::fuzz::LinesStreamAlike(tarnvik::fuzz::AsText(data, size));
  return 0;
}
