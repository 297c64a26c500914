#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "FileTestSupport.h"
#include "cfgfile/ConfigFileOps.h"
#include "core/OperationError.h"
#include "settings/DeviceSettings.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"

namespace tarnvik {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

const std::string kOld = "[Radio]\r\nCallsign=OLD\r\n";

// 0: the save failed with the right message; anything else: it did not.
int SaveExpectingFailure(const std::string& path) {
  try {
    SaveConfigFile(test::FreshSettings(), path);
    return 1;
  } catch (const FileWriteError& error) {
    return error.what() == "Unable to write to " + path ? 0 : 2;
  } catch (...) {
    return 3;
  }
}

// Root writes anywhere, so the child gives up its rights first.
int SaveAsUnprivileged(const std::string& path) {
  if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) return 4;
  return SaveExpectingFailure(path);
}

class SaveFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    ::chmod(dir.root().c_str(), 0755);
    WriteAll(dir.path("old.cfg"), kOld);
  }
  void ExpectOldFileIntact() {
    EXPECT_EQ(ReadAll(dir.path("old.cfg")), kOld);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"old.cfg"});
  }
  TempFolder dir;
};

TEST_F(SaveFailure, ReadOnlyFileIsRefusedEvenForRoot) {
  ::chmod(dir.path("old.cfg").c_str(), 0444);
  EXPECT_EQ(SaveExpectingFailure(dir.path("old.cfg")), 0);
  ExpectOldFileIntact();
}

TEST_F(SaveFailure, ReadOnlyFolderLeavesTheOldFile) {
  ::chmod(dir.path("old.cfg").c_str(), 0666);  // the file itself may be written by anyone
  ::chmod(dir.root().c_str(), 0555);
  EXPECT_EQ(test::RunInChild([&] { return SaveAsUnprivileged(dir.path("old.cfg")); }), 0);
  ::chmod(dir.root().c_str(), 0755);
  ExpectOldFileIntact();
}

TEST_F(SaveFailure, FullDiskLeavesTheOldFile) {
  const int status = test::RunInChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG, as on a full disk
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    return SaveExpectingFailure(dir.path("old.cfg"));
  });
  EXPECT_EQ(status, 0);
  ExpectOldFileIntact();
}

TEST_F(SaveFailure, MissingFolderOrAFolderAsTargetIsRefused) {
  EXPECT_EQ(SaveExpectingFailure(dir.path("missing/new.cfg")), 0);
  std::filesystem::create_directory(dir.path("folder.cfg"));
  EXPECT_EQ(SaveExpectingFailure(dir.path("folder.cfg")), 0);
  std::filesystem::remove(dir.path("folder.cfg"));
  ExpectOldFileIntact();
}

}  // namespace
}  // namespace tarnvik
