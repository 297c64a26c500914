// Fuzz target: any bytes as a configuration file, read by Read from file
// with its identity and version checks and its integer conversions. The
// file's content is held in memory (LoadConfigText): a file on disk goes
// through the same line splitter and would only cost time. What a save of the
// imported settings gives back is the cfgfile_save target's to check.
//
// Properties checked:
//  - the file is refused when its Application key is not the program's title
//    (the identity message), and otherwise only when it is Unicode text (a
//    byte-order mark) with a value the unit cannot store (that message); a
//    refused file shows the one message and changes nothing: no setting, no
//    enabled state, no listener hears of it;
//  - a Unicode file that is taken imports as its text in the unit's set
//    would, with "?" for each character the set lacks (test::AsUnitText,
//    which decodes on its own), with the same messages;
//  - a file of another version, or of none, shows the version message once,
//    before the first setting changes; a file of this version shows nothing;
//  - a text setting ends at its first NUL byte; integer settings come in as
//    the plain decimal of a 32-bit number; the clock fields are never touched.

#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "cfgfile/ConfigFileKeys.h"
#include "cfgfile/ConfigFileOps.h"
#include "cfgfile/ProfileReader.h"
#include "core/AppInfo.h"
#include "settings/NumberText.h"
#include "support/RecordingOperator.h"
#include "support/UnitText.h"

namespace tarnvik::fuzz {

namespace {

constexpr const char* kNotOurs =
    "Imported configuration file is not a Tarnvik configuration file. \nOperation aborted.";
constexpr const char* kOtherVersionStart = "Imported configuration file version is different";
constexpr const char* kUnstorableStart = "Imported configuration file has a character that the unit cannot store in ";

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
  static const ini::ProfileKeys keys(
      std::vector<ini::KeyName>{{kIdentitySection, "Application"}, {kIdentitySection, "Version"}});
  const ini::ProfileReader file(ini::ProfileText{content}, keys);
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

// The same text in the unit's set, read as a file without a mark (the line
// break ahead keeps bytes that look like a mark from being taken for one).
void ReadsAsItsUnitText(std::string_view content, const DeviceSettings& s, const test::RecordingOperator& op) {
  const auto text = test::AsUnitText(content);
  if (!text) return;
  DeviceSettings plain = Fresh();
  test::RecordingOperator plainOp;
  Require(LoadConfigText(plain, "\n" + *text, plainOp), "a Unicode file that is taken reads as its text");
  Require(plainOp.boxTexts() == op.boxTexts(), "a Unicode file shows the messages its text shows");
  RequireSameSettings(plain, s, {.clock = true, .enabled = true}, "a Unicode file imports as its text");
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

  const bool ours = identity.application == kAppTitle;
  Require(ours || !accepted, "a file that names another program is refused");
  Require(accepted || !ours || test::AsUnitText(content), "a file of ours is refused only when it is Unicode");
  if (!accepted) {
    const bool oneBox = op.boxes.size() == 1;
    Require(oneBox && (ours ? op.boxes[0].text.starts_with(kUnstorableStart) : op.boxes[0].text == kNotOurs),
            "a refused file shows the identity message, or that of a character the unit cannot store");
    Require(changes == 0, "a refused file changes nothing");
    RequireSameSettings(fresh, s, {.clock = true, .enabled = true}, "a refused file changes no setting");
    return 0;
  }
  ReadsAsItsUnitText(content, s, op);
  const bool otherVersion = identity.version != kConfigVersion;
  Require(op.boxes.size() == (otherVersion ? 1u : 0u), "only a file of another version shows a message");
  if (otherVersion) {
    Require(op.boxes[0].text.starts_with(kOtherVersionStart), "a file of another version shows the version message");
    Require(op.changesBeforeBox[0] == 0, "the version message comes before any setting changes");
  }
  ImportedValuesAreInTheirForms(s, fresh);
  return 0;
}
