// The commands that work on named settings: diff, get and set.
#include <ostream>
#include <sstream>

#include "cfgfile/AtomicFile.h"
#include "cfgfile/ConfigFileOps.h"
#include "cli/CliOperator.h"
#include "cli/Commands.h"
#include "cli/ConfigSource.h"
#include "cli/Files.h"
#include "cli/SettingNames.h"
#include "cli/SettingValues.h"
#include "image/ConfigImage.h"
#include "image/EncodeForWrite.h"
#include "image/StoredSettings.h"
#include "safeguard/SettingDifferences.h"
#include "settings/DeviceSettings.h"

namespace tarnvik::cli {

namespace {

constexpr std::string_view kUploadpctime = "Uploadpctime";

struct Assignment {
  std::size_t index = 0;
  std::string value;
};

int Fail(const CommandContext& context, int status, const std::string& message) {
  context.messages << message << '\n';
  return status;
}

// What a load that did not succeed means for set and get.
int LoadStatus(SourceOutcome outcome) {
  return outcome == SourceOutcome::Unreadable ? kUsageOrIo : outcome == SourceOutcome::Refused ? kRefused : kDone;
}

bool IsUploadpctime(std::size_t index) { return SettingsTable().at(index).name == kUploadpctime; }

std::string NotInImage(std::size_t index) {
  return SettingsTable().at(index).name +
         " is not kept in configuration images: only the window and configuration files keep it.";
}

// Every name is looked up before anything is read or printed.
bool FindAll(const CommandContext& context, const std::vector<std::string>& names, std::vector<std::size_t>& found) {
  for (const std::string& name : names) {
    const auto index = FindFileSetting(name);
    if (!index) {
      Fail(context, kRefused, UnknownSettingMessage(name));
      return false;
    }
    found.push_back(*index);
  }
  return true;
}

// NAME=VALUE, split at the first "=".
int ParseAssignments(const CommandContext& context, const std::vector<std::string>& texts,
                     std::vector<Assignment>& assignments) {
  for (const std::string& text : texts) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0)
      return Fail(context, kUsageOrIo, "Expected NAME=VALUE, not \"" + text + "\".");
    const std::string name = text.substr(0, equals);
    const auto index = FindFileSetting(name);
    if (!index) return Fail(context, kRefused, UnknownSettingMessage(name));
    assignments.push_back({*index, text.substr(equals + 1)});
  }
  return kDone;
}

std::string WhyNotKept(std::size_t index) {
  return SettingsTable().at(index).kind == SettingKind::Choice
             ? "the serial port rules run again when the file is read"
             : "a value loses its blanks at either end and one pair of enclosing quotes, and a line break "
               "becomes a blank";
}

// Saves to text and reads it back, as Save to file and Read from file would:
// every setting must come back as the unit would store it.
bool KeptByFile(const CommandContext& context, const DeviceSettings& settings) {
  DeviceSettings back(context.clock);
  std::ostringstream quiet;
  CliOperator op(quiet);
  LoadConfigText(back, ConfigFileText(settings), op);
  const StoredSettings wanted(settings), got(back);
  bool kept = true;
  for (std::size_t index : FileSettings()) {
    if (wanted.sameForUnit(got, index)) continue;
    context.messages << SettingsTable()[index].name << ": a configuration file would give back "
                     << ShownValue(index, got.value(index)) << ", not " << ShownValue(index, wanted.value(index))
                     << " (" << WhyNotKept(index) << ").\n";
    kept = false;
  }
  return kept;
}

// Write config's checks, on a copy (it refreshes the clock fields).
bool PassesWriteChecks(const CommandContext& context, const DeviceSettings& settings) {
  DeviceSettings probe(settings);
  ConfigImage image;
  CliOperator op(context.messages);
  return EncodeForWrite(probe, image, op, context.clock);
}

int Unable(const CommandContext& context, const std::string& input) {
  return Fail(context, kUsageOrIo, "Unable to compare " + ShownName(input) + ".");
}

}  // namespace

int DiffConfigs(const CommandContext& context, const std::string& a, const std::string& b) {
  DeviceSettings first(context.clock), second(context.clock);
  const ConfigSource sourceA = LoadConfigSource(context, a, first);
  if (sourceA.outcome != SourceOutcome::Loaded) return Unable(context, a);
  const ConfigSource sourceB = LoadConfigSource(context, b, second);
  if (sourceB.outcome != SourceOutcome::Loaded) return Unable(context, b);
  const bool bothFiles = !sourceA.image && !sourceB.image;
  const std::vector<std::string> lines =
      DifferenceLines(first, second, bothFiles ? UploadpctimeCompared::Yes : UploadpctimeCompared::No);
  for (const std::string& line : lines) context.out << line << '\n';
  return lines.empty() ? kDone : kRefused;
}

int GetSettings(const CommandContext& context, const std::string& input, const std::vector<std::string>& names,
                bool entryText) {
  std::vector<std::size_t> indexes;
  if (!FindAll(context, names, indexes)) return kRefused;
  DeviceSettings settings(context.clock);
  const ConfigSource source = LoadConfigSource(context, input, settings);
  if (source.outcome != SourceOutcome::Loaded) return LoadStatus(source.outcome);
  for (std::size_t index : indexes)
    if (source.image && IsUploadpctime(index)) return Fail(context, kRefused, NotInImage(index));
  for (std::size_t index : indexes)
    context.out << PlainValue(index, SettingValueText(settings, index), entryText) << '\n';
  return kDone;
}

int SetSettings(const CommandContext& context, const std::string& input, const std::vector<std::string>& assignments,
                const std::string& output) {
  std::vector<Assignment> changes;
  if (const int status = ParseAssignments(context, assignments, changes); status != kDone) return status;
  // Held from before the read: OUT may be FILE, changed by another set meanwhile.
  const platform::FileLock outputLock = AtomicFile::LockForChange(output);
  DeviceSettings settings(context.clock);
  const ConfigSource source = LoadConfigSource(context, input, settings);
  if (source.outcome != SourceOutcome::Loaded) return LoadStatus(source.outcome);
  for (const Assignment& change : changes)
    if (const auto refusal = TakeValue(settings, change.index, change.value)) return Fail(context, kRefused, *refusal);
  if (!PassesWriteChecks(context, settings) || !KeptByFile(context, settings)) return kRefused;
  return SaveSettings(context, settings, output);
}

}  // namespace tarnvik::cli
