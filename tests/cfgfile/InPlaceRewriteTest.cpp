// A rewrite in place (the folder takes no new file) stopped after each of its
// steps, as a kill would stop it: the file holds the old configuration, the
// new one, or a mark that every reader refuses, and until the new one is whole
// the old content waits in the copy. A failure on the way puts the old file back.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>

#include "FileTestSupport.h"
#include "cfgfile/AtomicFile.h"
#include "cfgfile/ConfigFileKeys.h"
#include "cfgfile/ConfigFileOps.h"
#include "cfgfile/InPlaceRewrite.h"
#include "core/OperationError.h"
#include "settings/DeviceSettings.h"
#include "support/FreshSettings.h"
#include "support/OtherProgram.h"
#include "support/RecordingOperator.h"

namespace tarnvik {
namespace {

using Step = InPlaceRewrite::Step;

enum class Left { Old, Marked, New };

struct StopCase {
  const char* name;
  std::optional<Step> stopAfter;  // none: the rewrite ends
  Left left;
  bool copyKept;
};

[[maybe_unused]] void PrintTo(const StopCase& c, std::ostream* out) { *out << c.name; }

const StopCase kStops[] = {
    {"CopyKept", Step::CopyKept, Left::Old, true},       {"Marked", Step::Marked, Left::Marked, true},
    {"RoomTaken", Step::RoomTaken, Left::Marked, true},  {"BodyWritten", Step::BodyWritten, Left::Marked, true},
    {"Truncated", Step::Truncated, Left::Marked, true},  {"Synced", Step::Synced, Left::Marked, true},
    {"HeadWritten", Step::HeadWritten, Left::New, true}, {"CopyDropped", Step::CopyDropped, Left::New, false},
    {"NotStopped", std::nullopt, Left::New, false},
};

std::string Text(const std::string& callsign) {
  DeviceSettings settings = test::FreshSettings();
  settings.setText("Callsign", callsign);
  return ConfigFileText(settings);
}

// The old file: longer than the new one (values padded with blanks, which
// the reader drops) or shorter (only the keys it needs to be ours).
std::string OldText(bool longer) {
  if (!longer)
    return "[" + std::string(kIdentitySection) + "]\r\nApplication=Tarnvik Configurator\r\n[Radio]\r\nCallsign=OLD\r\n";
  std::string text = Text("OLD");
  text.replace(text.find("Callsign=OLD"), 12, "Callsign=OLD" + std::string(3000, ' '));
  return text;
}

// The callsign the file reads as; nothing when it is refused.
std::optional<std::string> ReadCallsign(const std::string& path) {
  DeviceSettings settings = test::FreshSettings();
  test::RecordingOperator op;
  if (!LoadConfigFile(settings, path, op)) return std::nullopt;
  return settings.text("Callsign");
}

// Saves `content` to `path` in a child without root's rights, which a folder
// that takes no new file stops, and with files limited to `sizeLimit` bytes:
// 0 when saved; a refusal gives 2 when its reason holds `reason`, else 1 (and
// the reason on standard error); -1 when killed after step `stopAfter`.
int RewriteInChild(const std::string& path, const std::string& content, std::optional<Step> stopAfter,
                   rlim_t sizeLimit = RLIM_INFINITY, const std::string& reason = "File too large") {
  return test::RunInChild([&] {
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(test::kUnprivilegedUser) != 0 ||
                             ::setuid(test::kUnprivilegedUser) != 0))
      return 99;
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{sizeLimit, sizeLimit};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      AtomicFile out(path, [&](Step done) {
        if (done == stopAfter) ::raise(SIGKILL);
      });
      out.write(content);
      out.commit();
      return 0;
    } catch (const FileWriteError& error) {
      if (error.reason().find(reason) != std::string::npos) return 2;
      std::fprintf(stderr, "%s\n", error.reason().c_str());
      return 1;
    }
  });
}

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class InPlace : public ::testing::TestWithParam<std::tuple<StopCase, bool>> {
 protected:
  void SetUp() override {
    ::chmod(dir.root().c_str(), 0755);
    test::WriteAll(path, oldText);
    ::chmod(path.c_str(), 0666);
    ::chmod(dir.root().c_str(), 0555);
  }
  void TearDown() override { ::chmod(dir.root().c_str(), 0755); }

  test::ScopedCacheFolder cache;
  test::TempFolder dir;
  const std::string path = dir.path("unit.cfg");
  const std::string copy = InPlaceRewrite::CopyFor(path);
  const std::string oldText = OldText(std::get<1>(GetParam()));
  const std::string newText = Text("NEW");
};

TEST_P(InPlace, StoppedAfterAnyStepTheFileIsOldNewOrRefusedAndTheOldContentIsKept) {
  const StopCase& c = std::get<0>(GetParam());
  EXPECT_EQ(RewriteInChild(path, newText, c.stopAfter), c.stopAfter ? -1 : 0);
  const std::string content = test::ReadAll(path);
  switch (c.left) {
    case Left::Old:
      EXPECT_EQ(content, oldText);
      EXPECT_EQ(ReadCallsign(path), "OLD");
      break;
    case Left::New:
      EXPECT_EQ(content, newText);
      EXPECT_EQ(ReadCallsign(path), "NEW");
      break;
    case Left::Marked:
      EXPECT_EQ(ReadCallsign(path), std::nullopt) << content.substr(0, 200);
      EXPECT_EQ(content.rfind(InPlaceRewrite::Mark(copy), 0), 0u) << "the mark names the copy";
      break;
  }
  EXPECT_EQ(std::filesystem::exists(copy), c.copyKept);
  EXPECT_EQ(c.copyKept ? test::ReadAll(copy) : oldText, oldText);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, InPlace, ::testing::Combine(::testing::ValuesIn(kStops), ::testing::Bool()),
                         [](const auto& c) {
                           return std::string(std::get<0>(c.param).name) +
                                  (std::get<1>(c.param) ? "_NewIsShorter" : "_NewIsLonger");
                         });

class InPlaceAfterTrouble : public InPlace {};

// The disk fills while the new, longer content is written: the old file is
// put back and no copy stays. A later rewrite over a file that an earlier one
// left marked keeps that one's copy, which holds the last good content.
TEST_P(InPlaceAfterTrouble, TheOldContentIsNeverLost) {
  const auto oldSize = static_cast<rlim_t>(oldText.size());
  EXPECT_EQ(RewriteInChild(path, newText, std::nullopt, oldSize + 100), 2);
  EXPECT_EQ(test::ReadAll(path), oldText);
  EXPECT_FALSE(std::filesystem::exists(copy));

  EXPECT_EQ(RewriteInChild(path, newText, Step::BodyWritten), -1);
  EXPECT_EQ(RewriteInChild(path, Text("AGAIN"), std::nullopt), 0);
  EXPECT_EQ(ReadCallsign(path), "AGAIN");
  EXPECT_EQ(test::ReadAll(copy), oldText);
}

INSTANTIATE_TEST_SUITE_P(ShortOldFile, InPlaceAfterTrouble,
                         ::testing::Combine(::testing::Values(kStops[0]), ::testing::Values(false)));

// Where the copy of the old content is kept: never more readable than the
// file, in a folder private to the user, with every folder from the cache
// root down the user's own and writable by no other user; a copy that cannot
// be written (a full disk) names the folder. A refused rewrite leaves the file
// as it was. Each case arranges the cache folder (`cache`) as root, or as the
// test's user, while the rewrite runs as the user a child becomes.
struct CopyCase {
  const char* name;
  std::function<void(const std::string& cache, const std::string& file)> arrange;
  const char* refusal;  // part of the reason ("%" the cache root); nullptr when the copy is kept
  bool needsOtherUser = false;
  rlim_t sizeLimit = RLIM_INFINITY;
};

[[maybe_unused]] void PrintTo(const CopyCase& c, std::ostream* out) { *out << c.name; }

std::string Under(const std::string& cache, const char* folders) { return cache + "/" + folders; }

// Makes the folders below the cache root (as the child's user) with `mode`.
void MakeFolders(const std::string& cache, mode_t mode) {
  for (const char* folder : {"tarnvik", "tarnvik/in-place"}) {
    ::mkdir(Under(cache, folder).c_str(), mode);
    ::chmod(Under(cache, folder).c_str(), mode);
    if (::geteuid() == 0) {
      EXPECT_EQ(::chown(Under(cache, folder).c_str(), test::kUnprivilegedUser, test::kUnprivilegedUser), 0);
    }
  }
}

const CopyCase kCopyCases[] = {
    {"PrivateFileGivesAPrivateCopy",
     [](const std::string&, const std::string& file) {
       if (::geteuid() == 0) {
         EXPECT_EQ(::chown(file.c_str(), test::kUnprivilegedUser, test::kUnprivilegedUser), 0);
       }
       ::chmod(file.c_str(), 0600);
     },
     nullptr},
    {"OpenFolderIsMadePrivate", [](const std::string& cache, const std::string&) { MakeFolders(cache, 0755); },
     nullptr},
    {"UmaskLetsTheGroupWrite", [](const std::string&, const std::string&) { ::umask(002); }, nullptr},
    {"FolderAboveOthersMayWrite",
     [](const std::string& cache, const std::string&) {
       MakeFolders(cache, 0700);
       ::chmod(Under(cache, "tarnvik").c_str(), 0777);
     },
     "other users may write"},
    {"FolderAboveOfAnotherUser",
     [](const std::string& cache, const std::string&) {
       MakeFolders(cache, 0700);
       EXPECT_EQ(::chown(Under(cache, "tarnvik").c_str(), 0, 0), 0);
     },
     "belongs to another user", true},
    {"CacheRootOfAnotherUser",
     [](const std::string& cache, const std::string&) { EXPECT_EQ(::chown(cache.c_str(), 0, 0), 0); },
     "belongs to another user", true},
    {"CacheDiskFull", [](const std::string&, const std::string&) {},
     "no copy of the old content can be kept in %/tarnvik/in-place: File too large", false, 10},
};

class CopyPlace : public ::testing::TestWithParam<CopyCase> {
 protected:
  void SetUp() override {
    test::WriteAll(path, oldText);
    ::chmod(path.c_str(), 0666);
    ::chmod(dir.root().c_str(), 0555);
  }
  void TearDown() override {
    ::chmod(dir.root().c_str(), 0755);
    ::umask(mask);
  }

  const mode_t mask = ::umask(022);
  test::ScopedCacheFolder cache;
  test::TempFolder dir;
  const std::string path = dir.path("unit.cfg");
  const std::string copy = InPlaceRewrite::CopyFor(path);
  const std::string oldText = OldText(false);
};

TEST_P(CopyPlace, KeepsTheCopyWhereOnlyTheUserReachesIt) {
  const CopyCase& c = GetParam();
  if (c.needsOtherUser && ::geteuid() != 0) GTEST_SKIP() << "needs root, to give a folder to another user";
  c.arrange(cache.root(), path);
  if (c.refusal != nullptr) {
    std::string reason = c.refusal;
    if (const std::size_t at = reason.find('%'); at != std::string::npos) reason.replace(at, 1, cache.root());
    EXPECT_EQ(RewriteInChild(path, Text("NEW"), std::nullopt, c.sizeLimit, reason), 2);
    EXPECT_EQ(test::ReadAll(path), oldText);
    EXPECT_FALSE(std::filesystem::exists(copy));
    return;
  }
  EXPECT_EQ(RewriteInChild(path, Text("NEW"), Step::CopyKept), -1);
  EXPECT_EQ(test::ReadAll(copy), oldText);
  EXPECT_EQ(ModeOf(copy), ModeOf(path));
  EXPECT_EQ(ModeOf(Under(cache.root(), "tarnvik/in-place")), 0700u);
}

INSTANTIATE_TEST_SUITE_P(EveryPlace, CopyPlace, ::testing::ValuesIn(kCopyCases),
                         [](const auto& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace tarnvik
