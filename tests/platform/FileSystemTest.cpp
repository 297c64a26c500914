// Who may steer where the program writes: links another user placed in a
// shared folder (state that another user owns or may write is refused through
// the simulated unit's folder, tests/device); and files that appear whole or
// not at all.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <ostream>

#include "platform/FileSystem.h"
#include "support/OtherProgram.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;
using test::OtherProgram;

constexpr uid_t kOtherUser = 65534;

// Runs `make` as another user, in a child, as that user would.
void AsOtherUser(const std::function<void()>& make) {
  const OtherProgram other([&](const OtherProgram::Channel& channel) {
    const bool changed = ::setgid(kOtherUser) == 0 && ::setuid(kOtherUser) == 0;
    if (changed) make();
    channel.tell(changed ? 1 : 0);
  });
  ASSERT_EQ(other.told(), 1);
}

struct LinkCase {
  const char* name;
  mode_t folderMode;
  bool folderOfOtherUser;
  bool linkOfOtherUser;
  const char* given;  // below the folder; the link is "link"
  bool refused;
};

[[maybe_unused]] void PrintTo(const LinkCase& c, std::ostream* out) { *out << c.name; }

const LinkCase kLinkCases[] = {
    {"OtherUsersLinkInStickySharedFolder", 01777, false, true, "link", true},
    {"OtherUsersLinkAsAFolderOnTheWay", 01777, false, true, "link/unit.cfg", true},
    {"OwnLinkInStickySharedFolder", 01777, false, false, "link", false},
    {"FolderOwnersLinkInHisStickyFolder", 01777, true, true, "link", false},
    {"OtherUsersLinkInSharedFolderThatIsNotSticky", 0777, false, true, "link", false},
    {"OtherUsersLinkInAPrivateFolder", 0755, true, true, "link", false},
};

class LinkRule : public ::testing::TestWithParam<LinkCase> {};

TEST_P(LinkRule, ALinkIsFollowedOnlyWhereNoStrangerCouldHavePlantedIt) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root, to be another user too";
  const LinkCase& c = GetParam();
  test::TempFolder dir;
  fs::permissions(dir.root(), fs::perms::owner_all | fs::perms::others_exec);
  const fs::path shared = fs::path(dir.root()) / "shared";
  fs::create_directory(shared);
  fs::create_directory(dir.path("target"));
  ASSERT_EQ(::chmod(shared.c_str(), c.folderMode), 0);
  ASSERT_TRUE(!c.folderOfOtherUser || ::chown(shared.c_str(), kOtherUser, kOtherUser) == 0);
  const auto plant = [&] { fs::create_symlink(dir.path("target"), shared / "link"); };
  if (c.linkOfOtherUser)
    AsOtherUser(plant);
  else
    plant();
  ASSERT_TRUE(fs::is_symlink(shared / "link"));
  const std::string refusal = platform::LinkRefusal((shared / c.given).string());
  EXPECT_EQ(!refusal.empty(), c.refused) << refusal;
  if (c.refused) {
    EXPECT_NE(refusal.find((shared / "link").string()), std::string::npos) << refusal;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFolder, LinkRule, ::testing::ValuesIn(kLinkCases),
                         [](const auto& c) { return std::string(c.param.name); });

// A file appears whole or not at all: not when something has the name, not
// when its content cannot be written whole (a full disk), and of two
// programs creating it at once exactly one does.
TEST(CreateIfAbsent, TheFileAppearsWholeOrNotAtAll) {
  test::TempFolder dir;
  const std::string content(5000, 'c');
  std::string error;
  EXPECT_EQ(platform::CreateIfAbsent(dir.path("new"), content, error), platform::CreateOutcome::Created);
  EXPECT_EQ(test::ReadAll(dir.path("new")), content);
  EXPECT_EQ(platform::CreateIfAbsent(dir.path("new"), "other", error), platform::CreateOutcome::Existed);
  fs::create_symlink("gone", dir.path("dangling"));
  EXPECT_EQ(platform::CreateIfAbsent(dir.path("dangling"), "other", error), platform::CreateOutcome::Existed);
  EXPECT_FALSE(fs::exists(dir.path("gone")));

  const OtherProgram fullDisk([&](const OtherProgram::Channel& channel) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    channel.tell(static_cast<int>(platform::CreateIfAbsent(dir.path("short"), content, error)));
  });
  EXPECT_EQ(fullDisk.told(), static_cast<int>(platform::CreateOutcome::Failed));
  EXPECT_FALSE(fs::exists(dir.path("short")));

  for (int round = 0; round < 5; ++round) {
    const std::string path = dir.path("raced" + std::to_string(round));
    const auto create = [&](const OtherProgram::Channel& channel) {
      channel.tell(0);
      channel.awaitRelease();
      std::string why;
      ::_exit(static_cast<int>(platform::CreateIfAbsent(path, content, why)));
    };
    OtherProgram first(create), second(create);
    first.letGo();
    second.letGo();
    const int outcomes = first.release() + second.release();  // Created 0, Existed 1
    EXPECT_EQ(outcomes, 1) << "round " << round;
    EXPECT_EQ(test::ReadAll(path), content);
  }
  EXPECT_EQ(dir.names().size(), 7u) << "no temporary file stays behind";
}

}  // namespace
}  // namespace tarnvik
