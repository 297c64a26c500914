// Fuzz target: any bytes as a configuration file, read by Read from file
// with its identity and version checks and its integer conversions, then
// saved and read again. The file's content is held in memory throughout
// (LoadConfigText, and the save's text): a file on disk goes through the same
// line splitter and would only cost time.
//
// Properties checked:
//  - the file is refused exactly when its Application key is not the
//    program's title; a refused file shows the one identity message and
//    changes nothing: no setting, no enabled state, no listener hears of it;
//  - a file of another version, or of none, shows the version message once,
//    before the first setting changes; a file of this version shows nothing;
//  - integer settings come in as the plain decimal of a 32-bit number; the
//    clock fields are never touched;
//  - Save to file of the imported settings over the fuzzed file (its other
//    lines stay), read into start-up settings, gives them back as the
//    reading rules keep texts (blanks at both ends and one pair of enclosing
//    quotes dropped: test::AsReadBack) and with the port locks that the port rules give for the roles read (the import
//    of a file with both ports on "Weather station" and a WS-23XX station leaves port 2 locked, which a second read
//    unlocks); everything else comes back exactly, enabled states included. (That writing the same keys twice changes
//    nothing is the INI target's to check: each save here costs.)

#include <algorithm>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "cfgfile/ConfigFileKeys.h"
#include "cfgfile/ConfigFileOps.h"
#include "cfgfile/ProfileReader.h"
#include "core/AppInfo.h"
#include "settings/NumberText.h"
#include "support/FileReadBack.h"
#include "support/PortRules.h"
#include "support/RecordingOperator.h"

namespace tarnvik::fuzz {

namespace {

constexpr const char* kNotOurs =
    "Imported configuration file is not a Tarnvik configuration file. \nOperation aborted.";
constexpr const char* kOtherVersionStart = "Imported configuration file version is different";

// Records, for each message box, how many settings had changed before it.
class WatchingOperator : public test::RecordingOperator {
 public:
  explicit WatchingOperator(const int& changes) : changes_(changes) {}
  void informationBox(const std::string& text, const std::string& caption) override {
    changesBeforeBox.push_back(changes_);
    RecordingOperator::informationBox(text, caption);
  }
  std::vector<int> changesBeforeBox;

 private:
  const int& changes_;
};

struct Identity {
  std::string application;
  std::string version;
};

Identity IdentityOf(std::string_view content) {
  const ini::ProfileReader file(ini::ProfileText{content},
                                {{kIdentitySection, "Application"}, {kIdentitySection, "Version"}});
  return {file.readText(kIdentitySection, "Application", "unknown"),
          file.readText(kIdentitySection, "Version", "unknown")};
}

void ImportedValuesAreInTheirForms(const DeviceSettings& s, const DeviceSettings& fresh) {
  for (const FileKey& key : ConfigFileKeys()) {
    if (key.kind == FileValueKind::Text)
      Require(s.text(key.setting).find('\0') == std::string::npos, "a value ends at its first NUL byte");
    if (key.kind != FileValueKind::Integer) continue;
    const std::string& text = s.text(key.setting);
    const auto value = ParseDecimal(text);
    Require(value && std::to_string(*value) == text, "an integer setting comes in as plain decimal");
  }
  for (const char* field : kClockFields)
    Require(s.text(field) == fresh.text(field), "an import leaves the clock alone");
}

// The settings as a save and a read give them back: texts as the reading
// rules keep them, the port rules run once more.
DeviceSettings AsSavedAndRead(const DeviceSettings& s) {
  DeviceSettings expected = s;
  for (const FileKey& key : ConfigFileKeys())
    if (key.kind == FileValueKind::Text) expected.setText(key.setting, test::AsReadBack(s.text(key.setting)));
  test::RunPortRulesAsReaders(expected);
  return expected;
}

DeviceSettings ReadBack(std::string_view content) {
  DeviceSettings back = Fresh();
  test::RecordingOperator op;
  Require(LoadConfigText(back, content, op) && op.boxes.empty(), "a saved file reads back without a message");
  return back;
}

// Saved over the fuzzed file itself, whose other lines stay, so that the
// merge into any file is tried; a save to a new file is the simpler case.
// The save is made in memory, as the file would hold it.
void SaveReadsBack(const DeviceSettings& s, std::string_view fuzzed) {
  RequireSameSettings(AsSavedAndRead(s), ReadBack(ConfigFileText(s, fuzzed)), {.clock = false, .enabled = true},
                      "a save of imported settings reads back as the reading rules say");
}

}  // namespace

}  // namespace tarnvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvik;
  using namespace tarnvik::fuzz;
  const std::string_view content = AsText(data, size);
  const DeviceSettings& fresh = Fresh();
  DeviceSettings s = fresh;
  int changes = 0;
  s.addListener([&changes](std::size_t) { ++changes; });
  WatchingOperator op(changes);
  const bool accepted = LoadConfigText(s, content, op);
  const Identity identity = IdentityOf(content);

  Require(accepted == (identity.application == kAppTitle), "a file is refused exactly when it names another program");
  if (!accepted) {
    Require(op.boxTexts() == std::vector<std::string>{kNotOurs}, "a refused file shows the identity message");
    Require(changes == 0, "a refused file changes nothing");
    RequireSameSettings(fresh, s, {.clock = true, .enabled = true}, "a refused file changes no setting");
    return 0;
  }
  const bool otherVersion = identity.version != kConfigVersion;
  Require(op.boxes.size() == (otherVersion ? 1u : 0u), "only a file of another version shows a message");
  if (otherVersion) {
    Require(op.boxes[0].text.starts_with(kOtherVersionStart), "a file of another version shows the version message");
    Require(op.changesBeforeBox[0] == 0, "the version message comes before any setting changes");
  }
  ImportedValuesAreInTheirForms(s, fresh);
  SaveReadsBack(s, content);
  return 0;
}
