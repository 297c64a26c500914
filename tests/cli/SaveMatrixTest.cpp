// Every way a save can go wrong, for every writer of files: Save to file in
// the window, and the tool's -o outputs (a configuration file from defaults
// and from a read of the unit, an image from encode). Each save runs in a
// child process, so that it can run with fewer rights or on a "full disk",
// and be killed half-way. Afterwards the target holds the old file or the new
// one whole, never a mix; a refusal names the file as the window or the tool
// names it; and nothing else in the folder changed.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <utility>

#include "cfgfile/ConfigFileOps.h"
#include "cli/Arguments.h"
#include "cli/CommandGuard.h"
#include "cli/Commands.h"
#include "cli/DeviceCommands.h"
#include "core/OperationError.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"

namespace {

// Something another program does while a save runs, at the moment the new
// content has been synced and is about to take the target's place (for a
// rewrite in place: once the copy of the old content has been synced, before
// the file is touched; tests/cfgfile/InPlaceRewriteTest.cpp stops it at each
// later step). Set in the child only.
std::function<void()> g_whileSyncing;

}  // namespace

// Every save syncs its content with fsync before it puts it in place: the
// seam where the test lets the world change. The test program's own fsync
// stands in for the system's, which it calls.
extern "C" int fsync(int fd) {
  const int result = static_cast<int>(::syscall(SYS_fsync, fd));
  if (g_whileSyncing) std::exchange(g_whileSyncing, nullptr)();
  return result;
}

namespace tarnvik {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

const std::string kOld = "[Radio]\r\nCallsign=OLD\r\nForeign=kept\r\n";
const std::string kOther = "[Other]\r\nWritten=meanwhile\r\n";

// How a save ended: the exit status (for the window 2 stands for the error
// box) and the message, as the tool prints it or the box shows it; -1 when
// the process was killed.
struct Ended {
  int status = -1;
  std::string message;
  bool operator==(const Ended&) const = default;
};

const Ended kSaved{0, ""};

// The tool and the window's box say why on a line of their own after
// "Unable to write to X.": the line must be there (one line, not empty; the
// tool ends it, the box does not), and is then left out, as its wording is
// the system's.
Ended WithoutReason(Ended ended) {
  const std::size_t first = ended.message.find('\n');
  if (first == std::string::npos || first + 1 == ended.message.size()) return ended;
  const std::string reason = ended.message.substr(first + 1);
  const std::size_t end = reason.find('\n');
  EXPECT_TRUE(reason.size() > 1 && (end == std::string::npos || end == reason.size() - 1)) << reason;
  ended.message.resize(first + 1);
  return ended;
}
const Ended kKilled{};

[[maybe_unused]] void PrintTo(const Ended& ended, std::ostream* out) {
  *out << "status " << ended.status << " \"" << ended.message << '"';
}

// What the writers read: a configuration file, and a unit whose memory holds
// its image. A simulated unit's folder must be its user's own, so a child that
// gave up root's rights reads a copy that belongs to that child's user.
struct Inputs {
  TempFolder folder;
  std::string cfg = folder.path("in.cfg");
  std::string unit = folder.path("unit");
  std::string unprivilegedUnit = folder.path("unit-unprivileged");
  const std::string& unitOfThisUser() const { return ::geteuid() == 0 ? unit : unprivilegedUnit; }
};

// Runs one of the tool's commands as main() does, catching its two streams.
Ended Tool(const std::function<int(const cli::CommandContext&)>& command) {
  std::ostringstream out, err;
  const cli::CommandContext context{test::TestClock(), 1234, out, err};
  const int status = cli::GuardCommand(out, err, [&] { return command(context); });
  return {status, err.str()};
}

// The window's save: the file it was given, its error in the error box.
Ended SaveButton(const Inputs&, const std::string& target) {
  test::RecordingOperator op;
  const DeviceSettings settings = test::FreshSettings();
  RunGuarded(op, [&] { SaveConfigFile(settings, target); });
  if (op.boxes.empty()) return {0, ""};
  return {op.boxes[0].kind == test::Box::Kind::Error ? 2 : -2, op.boxes[0].text};
}

Ended Defaults(const Inputs&, const std::string& target) {
  return Tool([&](const cli::CommandContext& context) { return cli::WriteDefaults(context, target); });
}

Ended Encode(const Inputs& in, const std::string& target) {
  return Tool([&](const cli::CommandContext& context) { return cli::EncodeFile(context, in.cfg, target); });
}

Ended ReadUnit(const Inputs& in, const std::string& target) {
  cli::Arguments args;
  args.simulate = in.unitOfThisUser();
  args.output = target;
  return Tool([&](const cli::CommandContext& context) { return cli::ReadCommand(context, args); });
}

struct Writer {
  const char* name;
  Ended (*save)(const Inputs&, const std::string& target);
  const char* refusalEnd;  // after the file's name: the full stop and the line end before the reason
};

const Writer kWriters[] = {
    {"SaveToFile", SaveButton, ".\n"},
    {"ToolDefaults", Defaults, ".\n"},
    {"ToolEncodeImage", Encode, ".\n"},
    {"ToolReadUnit", ReadUnit, ".\n"},
};

// Where the save goes.
enum class Place {
  File,            // old.cfg exists
  NewFile,         // new.cfg does not exist yet
  ReadOnlyFile,    // old.cfg marked read-only
  LockedNew,       // the folder takes no new file, new.cfg does not exist
  LockedReadOnly,  // ... and old.cfg is read-only
  LockedWritable,  // ... and old.cfg may be written by anyone (rewritten in place)
  MissingFolder,   // missing/new.cfg
  Folder,          // folder.cfg is a folder
  Pipe,            // pipe.cfg is a named pipe nobody reads
  Link,            // link.cfg -> old.cfg
  DanglingLink,    // link.cfg -> gone.cfg
  LinkLoop,        // link.cfg -> loop.cfg -> link.cfg
  LinkToFolder,    // link.cfg -> folder.cfg, a folder
};

enum Rights : unsigned { kAsIs = 0, kUnprivileged = 1, kFullDisk = 2 };

enum class Meanwhile { Nothing, Remove, Replace, Rewrite, Create, Kill };

// What the entry the save aimed at holds afterwards.
enum class Left { AsBefore, New, Other };

struct SaveCase {
  const char* name;
  Place place;
  unsigned rights;
  Meanwhile meanwhile;
  Left left;
  bool refused;
};

const SaveCase kSaveCases[] = {
    {"PlainSave", Place::File, kAsIs, Meanwhile::Nothing, Left::New, false},
    {"PlainNewFile", Place::NewFile, kAsIs, Meanwhile::Nothing, Left::New, false},
    {"FullDisk", Place::File, kFullDisk, Meanwhile::Nothing, Left::AsBefore, true},
    {"FullDiskNewFile", Place::NewFile, kFullDisk, Meanwhile::Nothing, Left::AsBefore, true},
    {"FullDiskInPlace", Place::LockedWritable, kUnprivileged | kFullDisk, Meanwhile::Nothing, Left::AsBefore, true},
    {"ReadOnlyFile", Place::ReadOnlyFile, kAsIs, Meanwhile::Nothing, Left::AsBefore, true},
    {"ReadOnlyFolderNewFile", Place::LockedNew, kUnprivileged, Meanwhile::Nothing, Left::AsBefore, true},
    {"ReadOnlyFolderReadOnlyFile", Place::LockedReadOnly, kUnprivileged, Meanwhile::Nothing, Left::AsBefore, true},
    {"ReadOnlyFolderWritableFile", Place::LockedWritable, kUnprivileged, Meanwhile::Nothing, Left::New, false},
    {"MissingFolder", Place::MissingFolder, kAsIs, Meanwhile::Nothing, Left::AsBefore, true},
    {"FolderAsTarget", Place::Folder, kAsIs, Meanwhile::Nothing, Left::AsBefore, true},
    {"PipeAsTarget", Place::Pipe, kAsIs, Meanwhile::Nothing, Left::AsBefore, true},
    {"LinkToTheFile", Place::Link, kAsIs, Meanwhile::Nothing, Left::New, false},
    {"DanglingLink", Place::DanglingLink, kAsIs, Meanwhile::Nothing, Left::New, false},
    {"LinkLoop", Place::LinkLoop, kAsIs, Meanwhile::Nothing, Left::AsBefore, true},
    {"LinkToAFolder", Place::LinkToFolder, kAsIs, Meanwhile::Nothing, Left::AsBefore, true},
    {"RemovedWhileSaving", Place::File, kAsIs, Meanwhile::Remove, Left::New, false},
    {"ReplacedWhileSaving", Place::File, kAsIs, Meanwhile::Replace, Left::Other, true},
    {"RewrittenWhileSaving", Place::File, kAsIs, Meanwhile::Rewrite, Left::Other, true},
    {"CreatedWhileSaving", Place::NewFile, kAsIs, Meanwhile::Create, Left::Other, true},
    {"ReplacedBehindALinkWhileSaving", Place::Link, kAsIs, Meanwhile::Replace, Left::Other, true},
    {"KilledBeforeTheRename", Place::File, kAsIs, Meanwhile::Kill, Left::AsBefore, false},
    {"KilledBeforeTheRenameNewFile", Place::NewFile, kAsIs, Meanwhile::Kill, Left::AsBefore, false},
    {"KilledBeforeARewriteInPlace", Place::LockedWritable, kUnprivileged, Meanwhile::Kill, Left::AsBefore, false},
};

[[maybe_unused]] void PrintTo(const SaveCase& c, std::ostream* out) { *out << c.name; }
[[maybe_unused]] void PrintTo(const Writer& w, std::ostream* out) { *out << w.name; }

// The name the writer is given, and the entry its content lands in.
struct Aim {
  std::string given;
  std::string lands;
};

Aim Arrange(Place place, const TempFolder& dir) {
  const auto path = [&](const char* name) { return dir.path(name); };
  if (place != Place::NewFile && place != Place::LockedNew) WriteAll(path("old.cfg"), kOld);
  switch (place) {
    case Place::File: return {"old.cfg", "old.cfg"};
    case Place::NewFile: return {"new.cfg", "new.cfg"};
    case Place::ReadOnlyFile: ::chmod(path("old.cfg").c_str(), 0444); return {"old.cfg", "old.cfg"};
    case Place::LockedNew: return {"new.cfg", "new.cfg"};
    case Place::LockedReadOnly: ::chmod(path("old.cfg").c_str(), 0444); return {"old.cfg", "old.cfg"};
    case Place::LockedWritable: ::chmod(path("old.cfg").c_str(), 0666); return {"old.cfg", "old.cfg"};
    case Place::MissingFolder: return {"missing/new.cfg", "missing"};
    case Place::Folder: fs::create_directory(path("folder.cfg")); return {"folder.cfg", "folder.cfg"};
    case Place::Pipe: ::mkfifo(path("pipe.cfg").c_str(), 0644); return {"pipe.cfg", "pipe.cfg"};
    case Place::Link: fs::create_symlink("old.cfg", path("link.cfg")); return {"link.cfg", "old.cfg"};
    case Place::DanglingLink: fs::create_symlink("gone.cfg", path("link.cfg")); return {"link.cfg", "gone.cfg"};
    case Place::LinkLoop:
      fs::create_symlink("loop.cfg", path("link.cfg"));
      fs::create_symlink("link.cfg", path("loop.cfg"));
      return {"link.cfg", "link.cfg"};
    case Place::LinkToFolder:
      fs::create_directory(path("folder.cfg"));
      fs::create_symlink("folder.cfg", path("link.cfg"));
      return {"link.cfg", "folder.cfg"};
  }
  return {};
}

bool Locked(Place place) {
  return place == Place::LockedNew || place == Place::LockedReadOnly || place == Place::LockedWritable;
}

// What another program does to `file` while the save runs.
std::function<void()> Action(Meanwhile meanwhile, const std::string& file) {
  switch (meanwhile) {
    case Meanwhile::Nothing: return nullptr;
    case Meanwhile::Remove: return [file] { ::unlink(file.c_str()); };
    case Meanwhile::Replace:
      return [file] {
        WriteAll(file + ".new", kOther);
        ::rename((file + ".new").c_str(), file.c_str());
      };
    case Meanwhile::Rewrite: return [file] { WriteAll(file, kOther); };
    case Meanwhile::Create: return [file] { WriteAll(file, kOther); };
    case Meanwhile::Kill: return [] { ::raise(SIGKILL); };
  }
  return nullptr;
}

// Root writes anywhere, so a child that is to have fewer rights gives up its own.
void TakeRights(unsigned rights) {
  if ((rights & kUnprivileged) && ::geteuid() == 0 &&
      (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
    ::_exit(99);
  if (rights & kFullDisk) {
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails, as on a full disk
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
}

// Runs `body` in a forked child and brings back how it ended. A child that
// hangs (on a pipe, say) is ended by an alarm and counts as killed.
Ended InChild(unsigned rights, const std::function<void()>& meanwhile, const std::function<Ended()>& body) {
  int channel[2];
  if (::pipe(channel) != 0) return {-3, "no pipe"};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    ::alarm(30);
    TakeRights(rights);
    g_whileSyncing = meanwhile;
    const Ended ended = body();
    const std::string reply = std::to_string(ended.status) + " " + ended.message;
    if (::write(channel[1], reply.data(), reply.size()) != static_cast<ssize_t>(reply.size())) ::_exit(98);
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string reply;
  char buffer[4096];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) reply.append(buffer, std::size_t(n));
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || reply.empty()) return {};
  const std::size_t blank = reply.find(' ');
  return {std::stoi(reply.substr(0, blank)), reply.substr(blank + 1)};
}

// A folder's entries by name, each described.
using Listing = std::map<std::string, std::string>;

// A folder to save in, one writer, and what the writer's new content is.
class SaveScene : public ::testing::Test {
 protected:
  explicit SaveScene(const Writer& writer) : writer_(writer) {}
  static void SetUpTestSuite() {
    inputs_ = new Inputs;
    ::chmod(inputs_->folder.root().c_str(), 0755);
    ASSERT_EQ(Defaults(*inputs_, inputs_->cfg), kSaved);
    ASSERT_EQ(Encode(*inputs_, inputs_->folder.path("unit.bin")), kSaved);
    for (const std::string& unit : {inputs_->unit, inputs_->unprivilegedUnit}) {
      fs::create_directory(unit);
      fs::copy_file(inputs_->folder.path("unit.bin"), fs::path(unit) / "memory.bin");
      WriteAll((fs::path(unit) / "version").string(), "104\n");  // the save is the first thing synced
    }
    const bool root = ::geteuid() == 0;
    for (const char* entry : {"", "/memory.bin", "/version"})
      EXPECT_TRUE(!root || ::chown((inputs_->unprivilegedUnit + entry).c_str(), 65534, 65534) == 0);
  }
  static void TearDownTestSuite() { delete inputs_; }
  void SetUp() override { ::chmod(dir.root().c_str(), 0755); }
  void TearDown() override { ::chmod(dir.root().c_str(), 0755); }

  Ended save(const std::string& target, unsigned rights = kAsIs, const std::function<void()>& meanwhile = nullptr) {
    return InChild(rights, meanwhile, [&] { return writer_.save(*inputs_, target); });
  }
  Ended refusal(const std::string& target) const { return {2, "Unable to write to " + target + writer_.refusalEnd}; }

  // What the writer puts in a plain file that held kOld, or in a new file.
  void learnNewContent(bool overOld) {
    TempFolder scratch;
    if (overOld) WriteAll(scratch.path("plain.cfg"), kOld);
    EXPECT_EQ(save(scratch.path("plain.cfg")), kSaved);
    newContent_ = ReadAll(scratch.path("plain.cfg"));
  }

  // Every entry of the folder, files told by what they hold; temporary
  // files are listed as such, whatever their names.
  Listing listing() const {
    Listing entries;
    int temporaries = 0;
    for (const auto& entry : fs::directory_iterator(dir.root())) {
      std::string name = entry.path().filename();
      const fs::file_status status = entry.symlink_status();
      if (name.starts_with(".tarnvik-") && name.ends_with(".tmp")) name = "temporary " + std::to_string(++temporaries);
      if (fs::is_symlink(status))
        entries[name] = "link to " + fs::read_symlink(entry.path()).string();
      else if (fs::is_directory(status))
        entries[name] = "folder";
      else if (fs::is_fifo(status))
        entries[name] = "pipe";
      else
        entries[name] = label(ReadAll(entry.path()));
    }
    return entries;
  }

  test::ScopedCacheFolder cache;
  TempFolder dir;

 private:
  std::string label(const std::string& content) const {
    if (content == kOld) return "the old file";
    if (content == kOther) return "the other program's file";
    if (content == newContent_) return "the new file";
    return "a mix of " + std::to_string(content.size()) + " bytes";
  }

  static Inputs* inputs_;
  const Writer& writer_;
  std::string newContent_;
};

Inputs* SaveScene::inputs_ = nullptr;

class SaveMatrix : public SaveScene, public ::testing::WithParamInterface<std::tuple<SaveCase, Writer>> {
 protected:
  SaveMatrix() : SaveScene(std::get<1>(GetParam())) {}
};

TEST_P(SaveMatrix, LeavesTheOldFileOrTheNewOneWholeAndSaysWhy) {
  const SaveCase& c = std::get<0>(GetParam());
  const Aim aim = Arrange(c.place, dir);
  std::error_code loop;
  learnNewContent(fs::is_regular_file(dir.path(aim.lands), loop));
  Listing expected = listing();
  if (c.left == Left::New) expected[aim.lands] = "the new file";
  if (c.left == Left::Other) expected[aim.lands] = "the other program's file";
  if (c.meanwhile == Meanwhile::Kill && !Locked(c.place)) expected["temporary 1"] = "the new file";
  if (Locked(c.place)) ::chmod(dir.root().c_str(), 0555);

  const std::string target = dir.path(aim.given);
  const Ended ended = save(target, c.rights, Action(c.meanwhile, dir.path(aim.lands)));
  if (c.meanwhile == Meanwhile::Kill)
    EXPECT_EQ(ended, kKilled);
  else
    EXPECT_EQ(WithoutReason(ended), c.refused ? refusal(target) : kSaved);
  EXPECT_EQ(listing(), expected);
}

// A save killed before its rename leaves its temporary file behind, hidden
// and never taken for the target: the next save replaces the target as usual.
class SaveAfterKill : public SaveScene, public ::testing::WithParamInterface<Writer> {
 protected:
  SaveAfterKill() : SaveScene(GetParam()) {}
};

TEST_P(SaveAfterKill, WorksAndLeavesTheTemporaryFileAlone) {
  const std::string target = dir.path("old.cfg");
  WriteAll(target, kOld);
  learnNewContent(true);
  ASSERT_EQ(save(target, kAsIs, Action(Meanwhile::Kill, target)), kKilled);
  EXPECT_EQ(listing(), (Listing{{"old.cfg", "the old file"}, {"temporary 1", "the new file"}}));
  EXPECT_EQ(save(target), kSaved);
  EXPECT_EQ(listing(), (Listing{{"old.cfg", "the new file"}, {"temporary 1", "the new file"}}));
}

std::string MatrixName(const ::testing::TestParamInfo<SaveMatrix::ParamType>& info) {
  return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
}

std::string WriterName(const ::testing::TestParamInfo<Writer>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(EveryWriter, SaveMatrix,
                         ::testing::Combine(::testing::ValuesIn(kSaveCases), ::testing::ValuesIn(kWriters)),
                         MatrixName);
INSTANTIATE_TEST_SUITE_P(EveryWriter, SaveAfterKill, ::testing::ValuesIn(kWriters), WriterName);

}  // namespace
}  // namespace tarnvik
