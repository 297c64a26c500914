// What only Windows does to files and standard streams: a path's length told
// by its full path, reparse points that hold a file and are no links, renames
// held up for a while by another program's look, the staged file hidden
// until it takes its name, the old file's creation time kept by a replace,
// and text where a window program's messages go.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which they need.
#include <sddl.h>

#include <chrono>
#include <ostream>
#include <thread>
#include <vector>

#include "platform/Process.h"
#include "platform/StagedFile.h"
#include "platform/windows/ConsoleOutput.h"
#include "platform/windows/WinFiles.h"
#include "support/TestFiles.h"

namespace tarnvik::platform {
namespace {

using std::chrono::milliseconds;
using test::ReadAll;
using test::TempFolder;
using test::WriteAll;
using windows::Wide;

DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(Wide(path).c_str()); }

TEST(WindowsPaths, AreLongWhenTheirFullPathIsLong) {
  TempFolder dir;
  wchar_t before[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, before);
  ASSERT_TRUE(SetCurrentDirectoryW(Wide(dir.root()).c_str()));
  std::wstring root = Wide(dir.root());
  if (!root.ends_with(L'\\')) root += L'\\';
  // Short as given, long once the current folder is put in front.
  const std::string deep = std::string(250 - root.size(), 'd') + "\\unit.cfg";
  const std::string longName = std::string(260, 'f');
  const struct {
    std::string given;
    std::wstring used;
  } cases[] = {
      {"unit.cfg", L"unit.cfg"},
      {"NUL", L"NUL"},
      {deep, L"\\\\?\\" + root + Wide(deep)},
      {dir.root() + "/x/../" + longName, L"\\\\?\\" + root + Wide(longName)},
      {"\\\\server\\share\\" + longName, L"\\\\?\\UNC\\server\\share\\" + Wide(longName)},
      {"\\\\?\\C:\\unit.cfg", L"\\\\?\\C:\\unit.cfg"},
  };
  for (const auto& c : cases) EXPECT_TRUE(windows::WidePath(c.given) == c.used) << c.given;
  SetCurrentDirectoryW(before);
}

// A cloud storage client's placeholder carries a reparse point whose tag is
// no name surrogate, as a plain file's empty tag is not. (Wine keeps no
// reparse points, so the attribute is given here as the system would give it.)
TEST(WindowsReparsePoints, OnlyNameSurrogatesAreLinks) {
  TempFolder dir;
  WriteAll(dir.path("synced.cfg"), "[Radio]\r\n");
  const windows::UniqueHandle file(CreateFileW(Wide(dir.path("synced.cfg")).c_str(), FILE_READ_ATTRIBUTES,
                                               windows::kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file.valid());
  EXPECT_FALSE(windows::IsLink(file.get(), FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_FALSE(windows::IsLink(file.get(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT));
  EXPECT_TRUE(windows::IsLink(INVALID_HANDLE_VALUE, FILE_ATTRIBUTE_REPARSE_POINT)) << "a tag not read: a link";
}

enum class Held { NewFile, OldFile };

struct HeldRenameCase {
  const char* name;
  bool replace;  // else create
  Held held;
  milliseconds hold;  // how long the other program keeps it open
};

[[maybe_unused]] void PrintTo(const HeldRenameCase& c, std::ostream* out) { *out << c.name; }

// Longer than the second that was waited before, well within what is now.
const HeldRenameCase kHeldRenameCases[] = {
    {"CreateWhileTheNewFileIsLookedAt", false, Held::NewFile, milliseconds(1500)},
    {"ReplaceWhileTheNewFileIsLookedAt", true, Held::NewFile, milliseconds(1500)},
    {"ReplaceWhileTheOldFileIsLookedAt", true, Held::OldFile, milliseconds(2500)},
};

class HeldRename : public ::testing::TestWithParam<HeldRenameCase> {};

TEST_P(HeldRename, WaitsForTheOtherProgram) {
  const HeldRenameCase& c = GetParam();
  TempFolder dir;
  const std::string target = dir.path("unit \xC3\xA4.cfg");
  if (c.replace) WriteAll(target, "old");
  StagedFile staged(dir.root());
  ASSERT_TRUE(staged.write("new") && staged.finish()) << staged.error();
  const std::string held = c.held == Held::NewFile ? staged.path() : target;
  const HANDLE look =
      CreateFileW(Wide(held).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(look, INVALID_HANDLE_VALUE);
  std::thread other([&] {
    std::this_thread::sleep_for(c.hold);
    CloseHandle(look);
  });
  const StagedFile::Placed placed = c.replace ? staged.replace(target) : staged.create(target);
  other.join();
  EXPECT_EQ(placed, StagedFile::Placed::Done) << staged.error();
  EXPECT_EQ(ReadAll(target), "new");
  EXPECT_EQ(dir.names(), std::vector<std::string>{"unit \xC3\xA4.cfg"});
}

INSTANTIATE_TEST_SUITE_P(EveryHold, HeldRename, ::testing::ValuesIn(kHeldRenameCases),
                         [](const auto& c) { return std::string(c.param.name); });

TEST(WindowsStagedFile, IsHiddenUntilItTakesItsName) {
  TempFolder dir;
  StagedFile staged(dir.root());
  ASSERT_TRUE(staged.isOpen()) << staged.error();
  EXPECT_NE(AttributesOf(staged.path()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  ASSERT_TRUE(staged.write("new") && staged.finish());
  ASSERT_EQ(staged.create(dir.path("made.cfg")), StagedFile::Placed::Done) << staged.error();
  EXPECT_EQ(AttributesOf(dir.path("made.cfg")) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

std::uint64_t CreationOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data);
  return (std::uint64_t{data.ftCreationTime.dwHighDateTime} << 32) | data.ftCreationTime.dwLowDateTime;
}

std::wstring PermissionsOf(const std::string& path) {
  std::vector<char> descriptor(4096);
  DWORD needed = 0;
  wchar_t* text = nullptr;
  if (!GetFileSecurityW(Wide(path).c_str(), DACL_SECURITY_INFORMATION, descriptor.data(),
                        static_cast<DWORD>(descriptor.size()), &needed) ||
      !ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor.data(), SDDL_REVISION_1,
                                                            DACL_SECURITY_INFORMATION, &text, nullptr))
    return {};
  std::wstring permissions(text);
  LocalFree(text);
  return permissions;
}

// Everyone may read, only the owner may change it, whatever its folder says.
constexpr const wchar_t* kOwnPermissions = L"D:P(A;;FA;;;OW)(A;;FR;;;WD)";

void SetOwnPermissions(const std::string& path) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kOwnPermissions, SDDL_REVISION_1, &descriptor, nullptr))
    return;
  SetFileSecurityW(Wide(path).c_str(), DACL_SECURITY_INFORMATION, descriptor);
  LocalFree(descriptor);
}

// The file system here may keep either; what it keeps, a save keeps.
TEST(WindowsStagedFile, AReplaceKeepsTheOldFilesCreationTimeAndPermissions) {
  TempFolder dir;
  const std::string target = dir.path("unit.cfg");
  WriteAll(target, "old");
  constexpr std::uint64_t k1997 = std::uint64_t{0x01C00000} << 32;
  {
    const windows::UniqueHandle file(CreateFileW(Wide(target).c_str(), FILE_WRITE_ATTRIBUTES, windows::kShareAll,
                                                 nullptr, OPEN_EXISTING, 0, nullptr));
    FILETIME created{0, 0x01C00000};
    ASSERT_TRUE(file.valid() && SetFileTime(file.get(), &created, nullptr, nullptr));
  }
  SetOwnPermissions(target);
  const bool keepsCreation = CreationOf(target) == k1997;
  const std::wstring permissions = PermissionsOf(target);
  const bool keepsPermissions = permissions.starts_with(L"D:P");
  if (!keepsCreation && !keepsPermissions) GTEST_SKIP() << "this file system keeps neither";
  StagedFile staged(dir.root());
  ASSERT_TRUE(staged.write("new") && staged.finish());
  ASSERT_EQ(staged.replace(target), StagedFile::Placed::Done) << staged.error();
  EXPECT_EQ(ReadAll(target), "new");
  if (keepsCreation) {
    EXPECT_EQ(CreationOf(target), k1997);
  }
  if (keepsPermissions) {
    EXPECT_TRUE(PermissionsOf(target) == permissions);
  }
}

// A window program's --help: the bytes to a redirected stream as they are;
// with neither a stream nor a console to attach to, the caller is told.
TEST(WindowsStandardStreams, TakeTheBytesOrSayThereIsNowhereToWrite) {
  TempFolder dir;
  const std::string text = "unit \xC3\xA4.cfg: Callsign=M\xE4ki\r\n";
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  {
    const windows::UniqueHandle file(CreateFileW(Wide(dir.path("out.txt")).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                                 nullptr, CREATE_NEW, 0, nullptr));
    SetStdHandle(STD_OUTPUT_HANDLE, file.get());
    EXPECT_TRUE(WriteToStandardStream(StandardStream::Output, text));
    SetStdHandle(STD_OUTPUT_HANDLE, output);
  }
  EXPECT_EQ(ReadAll(dir.path("out.txt")), text);
  if (windows::IsConsole(output) || windows::IsConsole(error)) GTEST_SKIP() << "run from a console: it stays";
  FreeConsole();
  SetStdHandle(STD_ERROR_HANDLE, nullptr);
  EXPECT_FALSE(WriteToStandardStream(StandardStream::Error, text));
  SetStdHandle(STD_ERROR_HANDLE, error);
}

}  // namespace
}  // namespace tarnvik::platform
