// Saving where the usual way (a temporary file beside the target, renamed
// over it) fails: the old file stays exactly as it was, except that a
// writable file in a folder that takes no new file is rewritten in place.
// Every fault a save may meet, for every writer, is in the tool's save matrix
// (tests/cli/SaveMatrixTest.cpp); these are the details of the rewrite in place.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "FileTestSupport.h"
#include "cfgfile/ConfigFileOps.h"
#include "core/OperationError.h"
#include "settings/DeviceSettings.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/OtherProgram.h"

namespace tarnvik {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

const std::string kOld = "[Radio]\r\nCallsign=OLD\r\n";

enum Outcome { kSaved, kRefused, kWrongMessage, kNotANumber, kOtherError, kStillPrivileged };

// How a save ended; a refusal must name the file.
int Save(const DeviceSettings& settings, const std::string& path) {
  try {
    SaveConfigFile(settings, path);
    return kSaved;
  } catch (const FileWriteError& error) {
    return error.what() == "Unable to write to " + path ? kRefused : kWrongMessage;
  } catch (const ConversionError&) {
    return kNotANumber;
  } catch (...) {
    return kOtherError;
  }
}

// Root writes anywhere, so the child gives up its rights first.
int SaveAsUnprivileged(const DeviceSettings& settings, const std::string& path) {
  if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
    return kStillPrivileged;
  return Save(settings, path);
}

ino_t Inode(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_ino;
}

class SaveFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    ::chmod(dir.root().c_str(), 0755);
    WriteAll(old, kOld);
  }
  void TearDown() override { ::chmod(dir.root().c_str(), 0755); }
  // The folder takes no new file; the old file may be written by anyone.
  void lockFolder() {
    ::chmod(old.c_str(), 0666);
    ::chmod(dir.root().c_str(), 0555);
  }
  void ExpectOldFileIntact() {
    EXPECT_EQ(ReadAll(old), kOld);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"old.cfg"});
  }
  test::ScopedCacheFolder cache;
  TempFolder dir;
  const std::string old = dir.path("old.cfg");
};

// The same file, not a new one: its lines others added stay, and so do its
// links, owner and mode; the content is that of a usual save.
TEST_F(SaveFailure, WritableFileInAFolderThatTakesNoNewFileIsRewrittenInPlace) {
  TempFolder elsewhere;
  WriteAll(elsewhere.path("usual.cfg"), kOld);
  ASSERT_EQ(Save(test::FreshSettings(), elsewhere.path("usual.cfg")), kSaved);
  const std::string usual = ReadAll(elsewhere.path("usual.cfg"));
  ASSERT_EQ(usual.rfind(kOld.substr(0, 18) + "NOCALL\r\nSSID=0\r\n", 0), 0u);

  lockFolder();
  const ino_t before = Inode(old);
  EXPECT_EQ(test::RunInChild([&] { return SaveAsUnprivileged(test::FreshSettings(), old); }), kSaved);
  EXPECT_EQ(ReadAll(old), usual);
  EXPECT_EQ(Inode(old), before);
  EXPECT_EQ(dir.names(), std::vector<std::string>{"old.cfg"});

  WriteAll(old, "[Radio]\r\nCallsign=" + std::string(20000, 'x') + "\r\n");  // the new content is shorter
  EXPECT_EQ(test::RunInChild([&] { return SaveAsUnprivileged(test::FreshSettings(), old); }), kSaved);
  EXPECT_EQ(ReadAll(old), usual);
}

// Only once every number has converted, and only for a file that exists.
TEST_F(SaveFailure, NothingIsRewrittenInPlaceBeforeTheNumbersConvertOrForANewFile) {
  lockFolder();
  DeviceSettings bad = test::FreshSettings();
  bad.setText("Teledata_txrate_rf", "12a");  // the last number field
  EXPECT_EQ(test::RunInChild([&] { return SaveAsUnprivileged(bad, old); }), kNotANumber);
  EXPECT_EQ(test::RunInChild([&] { return SaveAsUnprivileged(test::FreshSettings(), dir.path("new.cfg")); }), kRefused);
  ExpectOldFileIntact();
}

// A rewrite in place holds the whole new file in memory, so it is refused
// for a file far larger than any configuration file.
TEST_F(SaveFailure, HugeFileIsNotRewrittenInPlace) {
  std::filesystem::resize_file(old, 17 * 1024 * 1024);
  const std::string huge = ReadAll(old);
  lockFolder();
  EXPECT_EQ(test::RunInChild([&] { return SaveAsUnprivileged(test::FreshSettings(), old); }), kRefused);
  EXPECT_EQ(ReadAll(old), huge);
  EXPECT_EQ(dir.names(), std::vector<std::string>{"old.cfg"});
}

// The temporary file's name does not grow with the target's: a name of 255
// bytes, the most a folder entry holds, saves like any other.
TEST(SaveLongName, NameOfTheFullLengthSaves) {
  TempFolder dir;
  const std::string name(255, 'n');
  ASSERT_EQ(Save(test::FreshSettings(), dir.path(name)), kSaved);
  EXPECT_EQ(dir.names(), std::vector<std::string>{name});
  const ino_t first = Inode(dir.path(name));
  ASSERT_EQ(Save(test::FreshSettings(), dir.path(name)), kSaved);  // replaced as a whole, not in place
  EXPECT_NE(Inode(dir.path(name)), first);
  EXPECT_EQ(dir.names(), std::vector<std::string>{name});
}

}  // namespace
}  // namespace tarnvik
