// Save to file.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "cfgfile/ConfigFileKeys.h"
#include "cfgfile/ConfigFileOps.h"
#include "cfgfile/ProfileWriter.h"
#include "settings/DeviceSettings.h"
#include "settings/NumberText.h"

namespace tarnvik {

namespace {

// The key's value as written; a number is formed in `number`.
std::string_view ExportValue(const DeviceSettings& s, const FileKey& key, std::string& number) {
  switch (key.kind) {
    case FileValueKind::Identity: return key.value;
    case FileValueKind::Text: return s.textAt(key.index);
    case FileValueKind::Integer: return number = std::to_string(ConvertFileInteger(s.textAt(key.index)));
    case FileValueKind::Choice: return number = std::to_string(s.choiceAt(key.index));
    case FileValueKind::Flag: return s.flagAt(key.index) ? "1" : "0";
  }
  return {};
}

ini::ProfileWriter Layout() {
  ini::ProfileWriter writer;
  for (const FileKey& key : ConfigFileKeys()) writer.write(key.section, key.key, {});
  if (writer.entries().size() != ConfigFileKeys().size()) throw std::logic_error("a file key is listed twice");
  return writer;
}

// Every save writes the same keys: their names are checked and indexed once
// per thread, in a writer whose values every save sets anew, all of them,
// entry i being key i, before it is used. A save thus neither copies the
// names nor, mostly, allocates for the values.
const ini::ProfileWriter& Writer(const DeviceSettings& s) {
  thread_local ini::ProfileWriter writer = Layout();
  const auto& keys = ConfigFileKeys();
  std::string number;
  for (std::size_t i = 0; i < keys.size(); ++i) writer.setValue(i, ExportValue(s, keys[i], number));
  return writer;
}

}  // namespace

// Every value is formed, and so every number converted, before the disk is
// touched: a field that is not a number stops the save with the file intact.
void SaveConfigFile(const DeviceSettings& s, const std::string& path) { Writer(s).commit(path); }

std::string ConfigFileText(const DeviceSettings& s) { return Writer(s).newFileText(); }

std::string ConfigFileText(const DeviceSettings& s, std::string_view existing) {
  return Writer(s).mergedText(existing);
}

}  // namespace tarnvik
