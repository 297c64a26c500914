// Fuzz target: how the INI layer decodes any bytes, cuts them into lines and
// scans each line (TextDecoder, LineSplitter, IniLineScanner), as every read
// and every merge of a profile file does.
//
// Properties checked:
//  - the decoder tells one encoding and gives the same lines and line ends
//    whether the bytes come in one piece or three;
//  - the lines with their ends, encoded again as the decoder said they were
//    (TextEncoder, with the mark and a stray last byte), are the bytes: a
//    save loses nothing of the lines it keeps;
//  - line pieces are never empty and hold no line end;
//  - the line scanner means the same by a line fed whole or byte by byte, in
//    the file's encoding.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "cfgfile/IniLineScanner.h"
#include "cfgfile/TextDecoder.h"
#include "cfgfile/TextEncoder.h"

namespace tarnvik::fuzz {

namespace {

// Lines as the sink heard them: text, then line end.
class Lines : public ini::LineSink {
 public:
  void textEncoding(ini::TextEncoding told) override {
    Require(encodings++ == 0, "the encoding is told once, before any line");
    encoding = told;
  }
  void lineData(std::string_view piece) override {
    Require(!piece.empty() && piece.find_first_of("\r\n") == std::string_view::npos,
            "line pieces are never empty and hold no line end");
    current_ += piece;
  }
  void lineEnd(std::string_view terminator) override {
    Require(encodings == 1, "the encoding is told once, before any line");
    lines.push_back({current_, std::string(terminator)});
    current_.clear();
  }
  void strayByte(char byte) override { stray += byte; }
  bool operator==(const Lines& other) const {
    return encoding == other.encoding && lines == other.lines && stray == other.stray;
  }
  int encodings = 0;
  ini::TextEncoding encoding = ini::TextEncoding::Bytes;
  std::vector<std::pair<std::string, std::string>> lines;
  std::string stray;

 private:
  std::string current_;
};

Lines Split(std::string_view bytes, std::size_t cut1, std::size_t cut2) {
  Lines lines;
  ini::TextDecoder decoder(lines);
  decoder.feed(bytes.substr(0, cut1));
  decoder.feed(bytes.substr(cut1, cut2 - cut1));
  decoder.feed(bytes.substr(cut2));
  decoder.finish();
  return lines;
}

bool SameLine(const ini::IniLine& a, const ini::IniLine& b) {
  return a.kind == b.kind && a.name == b.name && a.nameTooLong == b.nameTooLong &&
         a.nameUnstorable == b.nameUnstorable && a.value == b.value && a.valueUnstorable == b.valueUnstorable;
}

void LinesStreamAlike(std::string_view bytes) {
  const Lines whole = Split(bytes, bytes.size(), bytes.size());
  const std::size_t cut1 = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % bytes.size();
  const std::size_t cut2 = cut1 + (bytes.size() - cut1) / 2;
  Require(Split(bytes, cut1, cut2) == whole, "lines decode alike whatever pieces the bytes come in");
  std::string again;
  ini::TextEncoder encoder([&again](std::string_view piece) { again += piece; });
  encoder.begin(whole.encoding);
  for (const auto& [text, end] : whole.lines) {
    encoder.fileText(text);
    encoder.fileText(end);
  }
  encoder.raw(whole.stray);
  Require(again == bytes, "the lines with their ends, encoded again, are the bytes");
  // Two scanners: a line's name and value are views of its scanner's buffers.
  ini::IniLineScanner inOne;
  ini::IniLineScanner byteByByte;
  inOne.setEncoding(whole.encoding);
  byteByByte.setEncoding(whole.encoding);
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
