// Save to file.

#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
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

// Every save writes the same keys: their names are checked and indexed once,
// in writers whose values every save sets anew, all of them, entry i being key
// i, before it is used. A save thus neither copies the names nor, mostly,
// allocates for the values. A writer is lent to one save at a time and kept
// for the next; the spare ones live as long as the process. They are not kept
// per thread: with the MinGW-w64 runtime a thread_local object that frees
// memory crashed its thread at the thread's end.
class LentWriter {
 public:
  LentWriter() : writer_(Take()) {}
  ~LentWriter() { GiveBack(std::move(writer_)); }
  LentWriter(const LentWriter&) = delete;
  LentWriter& operator=(const LentWriter&) = delete;

  // The writer holding the values of `s`; a bad number throws, and the
  // writer still goes back to the spares.
  const ini::ProfileWriter& filledWith(const DeviceSettings& s) {
    const auto& keys = ConfigFileKeys();
    std::string number;
    for (std::size_t i = 0; i < keys.size(); ++i) writer_->setValue(i, ExportValue(s, keys[i], number));
    return *writer_;
  }

 private:
  struct Spares {
    std::mutex lock;
    std::vector<std::unique_ptr<ini::ProfileWriter>> writers;
  };
  static Spares& TheSpares() {
    static Spares spares;
    return spares;
  }
  static std::unique_ptr<ini::ProfileWriter> Take() {
    Spares& spares = TheSpares();
    {
      std::lock_guard held(spares.lock);
      if (!spares.writers.empty()) {
        auto writer = std::move(spares.writers.back());
        spares.writers.pop_back();
        return writer;
      }
    }
    return std::make_unique<ini::ProfileWriter>(Layout());
  }
  static void GiveBack(std::unique_ptr<ini::ProfileWriter> writer) noexcept {
    Spares& spares = TheSpares();
    try {
      std::lock_guard held(spares.lock);
      spares.writers.push_back(std::move(writer));
    } catch (...) {  // no room to keep it: the next save lays out a new one
    }
  }

  std::unique_ptr<ini::ProfileWriter> writer_;
};

}  // namespace

// Every value is formed, and so every number converted, before the disk is
// touched: a field that is not a number stops the save with the file intact.
void SaveConfigFile(const DeviceSettings& s, const std::string& path) { LentWriter().filledWith(s).commit(path); }

std::string ConfigFileText(const DeviceSettings& s) { return LentWriter().filledWith(s).newFileText(); }

std::string ConfigFileText(const DeviceSettings& s, std::string_view existing) {
  return LentWriter().filledWith(s).mergedText(existing);
}

}  // namespace tarnvik
