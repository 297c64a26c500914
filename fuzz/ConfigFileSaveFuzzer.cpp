// Fuzz target: any bytes as a configuration file that Read from file takes,
// whose settings Save to file then writes over that same file, and the
// result read again. All in memory (LoadConfigText, and the save's text): a
// file on disk goes through the same line splitter and would only cost time.
// What the import itself must do (identity, version, the values' forms) is
// the cfgfile target's to check.
//
// Property checked: Save to file of the imported settings over the fuzzed
// file (its other lines stay), read into start-up settings, gives them back as
// the reading rules keep texts (blanks at both ends and one pair of enclosing
// quotes dropped: test::AsReadBack) and with the port locks that the port
// rules give for the roles read (the import of a file with both ports on
// "Weather station" and a WS-23XX station leaves port 2 locked, which a second
// read unlocks); everything else comes back exactly, enabled states included.
// The saved file keeps the encoding of the fuzzed one: its byte-order mark,
// and the odd last byte of UTF-16 text, stay where they were.
// (That writing the same keys twice changes nothing is the INI target's to
// check: each save here costs.)

#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "cfgfile/ConfigFileKeys.h"
#include "cfgfile/ConfigFileOps.h"
#include "cfgfile/TextEncoding.h"
#include "support/FileReadBack.h"
#include "support/PortRules.h"
#include "support/RecordingOperator.h"

namespace tarnvik::fuzz {

namespace {

// Turns the imported settings into what a save and a read give back: texts
// as the reading rules keep them, the port rules run once more. In place: a
// copy of every setting at every run costs more than it tells.
void ToSavedAndRead(DeviceSettings& s) {
  for (const FileKey& key : ConfigFileKeys())
    if (key.kind == FileValueKind::Text) s.setTextAt(key.index, test::AsReadBack(s.textAt(key.index)));
  test::RunPortRulesAsReaders(s);
}

DeviceSettings ReadBack(std::string_view content) {
  DeviceSettings back = Fresh();
  test::RecordingOperator op;
  Require(LoadConfigText(back, content, op) && op.boxes.empty(), "a saved file reads back without a message");
  return back;
}

// The byte-order mark that `text` starts with, or "".
std::string_view MarkOf(std::string_view text) {
  for (const ini::EncodingMark& mark : ini::kEncodingMarks)
    if (text.starts_with(mark.bytes)) return mark.bytes;
  return {};
}

void KeepsTheEncoding(std::string_view before, std::string_view saved) {
  const std::string_view mark = MarkOf(before);
  Require(MarkOf(saved) == mark, "a save keeps the file's byte-order mark");
  const bool utf16 = mark.size() == 2;
  if (utf16 && before.size() % 2 == 1)
    Require(saved.size() % 2 == 1 && saved.back() == before.back(), "an odd last byte of UTF-16 stays last");
}

}  // namespace

}  // namespace tarnvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvik;
  using namespace tarnvik::fuzz;
  const std::string_view content = AsText(data, size);
  DeviceSettings s = Fresh();
  test::RecordingOperator op;
  if (!LoadConfigText(s, content, op)) return 0;
  // Saved over the fuzzed file itself, whose other lines stay, so that the
  // merge into any file is tried; a save to a new file is the simpler case.
  const std::string saved = ConfigFileText(s, content);
  KeepsTheEncoding(content, saved);
  const DeviceSettings back = ReadBack(saved);
  ToSavedAndRead(s);
  RequireSameSettings(s, back, {.clock = false, .enabled = true},
                      "a save of imported settings reads back as the reading rules say");
  return 0;
}
