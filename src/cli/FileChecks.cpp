#include "cli/FileChecks.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "cfgfile/AtomicFile.h"
#include "cli/CommandGuard.h"
#include "cli/CommandTable.h"
#include "cli/Files.h"
#include "core/OperationError.h"
#include "device/backends/TransportChoice.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"

namespace tarnvik::cli {

namespace {

namespace fs = std::filesystem;
using platform::PathOf;

// A file named on the command line.
struct Named {
  std::string option;  // "--trace", "-o"; empty for an argument
  std::string given;   // as given: for the backup's image, the backup's name
  std::string path;    // the file itself
  FileRole role;
  std::string what;
};

// How the system knows a file: device and inode when it is there, else its
// full path with every link resolved.
struct FileIdentity {
  bool exists = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  fs::path path;
  bool operator==(const FileIdentity&) const = default;
};

// The path a name leads to when it (or the link it is) leads nowhere yet.
fs::path Resolved(fs::path path) {
  std::error_code error;
  for (int hops = 0; hops < 40; ++hops) {
    const platform::LinkRead link = platform::ReadLink(platform::TextOf(path));
    if (!link.isLink || !link.error.empty()) break;
    const fs::path target = PathOf(link.target);
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  const fs::path full = fs::weakly_canonical(fs::absolute(path, error), error);
  return error ? fs::absolute(path, error).lexically_normal() : full;
}

FileIdentity KeyOf(const fs::path& path) {
  const platform::FileStatus status = platform::StatusOf(platform::TextOf(path), platform::Links::Follow);
  if (status.kind != platform::FileStatus::Kind::Missing && status.kind != platform::FileStatus::Kind::Unknown)
    return {true, status.id.device, status.id.file, {}};
  return {false, 0, 0, Resolved(path)};
}

// The folder a file written at `path` lands in.
FileIdentity FolderOf(const fs::path& path) {
  std::error_code error;
  const fs::path full = fs::canonical(path, error);
  return KeyOf((error ? Resolved(path) : full).parent_path());
}

bool Writes(FileRole role) { return role == FileRole::Output || role == FileRole::Backup || role == FileRole::Trace; }

bool IsStandardStream(const Named& file) { return file.path == kStandardInput && file.role != FileRole::UnitFolder; }

std::vector<Named> NamedFiles(const CommandEntry& command, const Arguments& args) {
  std::vector<Named> named;
  for (const OptionEntry& option : command.options) {
    const auto* member = std::get_if<std::string Arguments::*>(&option.target);
    if (member == nullptr || option.role == FileRole::None || (args.*(*member)).empty()) continue;
    const std::string& path = args.*(*member);
    const std::string name = option.name[0] == '-' ? std::string(option.name) : std::string();
    named.push_back({name.substr(0, name.find(',')), path, path, option.role, option.what});
    if (option.role == FileRole::Backup)
      named.push_back({named.back().option, path, BackupImageName(path), FileRole::Backup, "the backup's image"});
  }
  return named;
}

[[noreturn]] void Refuse(const Named& writer, const std::string& what) {
  throw SetupError{writer.option + " " + writer.given + " would " + what + "; name another file."};
}

// A device command's log goes to standard output: none of its files may.
void CheckStandardStreams(const CommandEntry& command, const std::vector<Named>& named) {
  for (const Named& file : named)
    if (command.device && Writes(file.role) && IsStandardStream(file))
      throw SetupError{file.option + " -: standard output carries the unit's log; name a file."};
}

// Only an output may be an input, which is read whole before it is written.
void CheckPairs(const std::vector<Named>& named) {
  std::vector<FileIdentity> keys;
  for (const Named& file : named) keys.push_back(KeyOf(PathOf(file.path)));
  for (std::size_t w = 0; w < named.size(); ++w) {
    if (!Writes(named[w].role) || IsStandardStream(named[w])) continue;
    for (std::size_t o = 0; o < named.size(); ++o) {
      const Named& other = named[o];
      if (o == w || other.role == FileRole::UnitFolder || IsStandardStream(other)) continue;
      if (o > w && Writes(other.role)) continue;  // each pair of written files once
      if (other.role == FileRole::Input && named[w].role == FileRole::Output) continue;
      if (keys[o] == keys[w]) Refuse(named[w], "overwrite " + other.what + " (" + other.path + ")");
    }
  }
}

// What the simulated unit keeps in its folder is no place for a file of the
// command: not in the folder, and not one of its files by another name.
void CheckUnitFolder(const std::string& folder, const std::vector<Named>& named) {
  const FileIdentity unit = KeyOf(PathOf(folder));
  std::vector<FileIdentity> unitFiles;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(PathOf(folder), error))
    unitFiles.push_back(KeyOf(entry.path()));
  for (const Named& file : named) {
    if (!Writes(file.role) || IsStandardStream(file)) continue;
    const FileIdentity key = KeyOf(PathOf(file.path));
    bool inside = FolderOf(PathOf(file.path)) == unit;
    for (const FileIdentity& unitFile : unitFiles) inside = inside || (key.exists && key == unitFile);
    if (inside) Refuse(file, "write into the simulated unit in " + folder);
  }
}

// A device command's files are written after the unit was asked, the trace
// while it is: each is looked at as its save will be, so that one that cannot
// be written (a folder, a pipe, a device, a link planted in a shared folder,
// a missing folder) stops the command before the unit is asked.
void CheckWritable(const std::vector<Named>& named) {
  for (const Named& file : named)
    if (Writes(file.role))
      if (const std::string why = AtomicFile::Refusal(file.path); !why.empty()) throw FileWriteError(file.path, why);
}

}  // namespace

void CheckFiles(const CommandEntry& command, const Arguments& args) {
  const std::vector<Named> named = NamedFiles(command, args);
  CheckStandardStreams(command, named);
  CheckPairs(named);
  if (!command.device) return;
  const std::string folder = args.simulate.empty() ? SimulatedUnitFromEnvironment() : args.simulate;
  if (!folder.empty()) CheckUnitFolder(folder, named);
  CheckWritable(named);
}

}  // namespace tarnvik::cli
