// Fuzz target: any bytes as a configuration file, read by Read from file
// with its identity and version checks and its integer conversions. The
// file's content is held in memory (LoadConfigText): a file on disk goes
// through the same line splitter and would only cost time. What a save of the
// imported settings gives back is the cfgfile_save target's to check.
//
// Properties checked:
//  - the file is refused exactly when its Application key is not the
//    program's title; a refused file shows the one identity message and
//    changes nothing: no setting, no enabled state, no listener hears of it;
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
  return 0;
}
