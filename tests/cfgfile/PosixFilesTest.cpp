// What configuration files meet on POSIX systems only: named pipes and
// endless devices, links, permission bits, and the kernel's account of the
// process's memory.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "FileTestSupport.h"
#include "cfgfile/ConfigFileOps.h"
#include "cfgfile/ProfileReader.h"
#include "cfgfile/ProfileWriter.h"
#include "settings/DeviceSettings.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"

namespace tarnvik {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

// A pipe without a writer or an endless device must neither block nor run forever.
TEST(ProfileReader, PipesAndEndlessDevicesHaveNoKeys) {
  TempFolder dir;
  ASSERT_EQ(::mkfifo(dir.path("pipe").c_str(), 0600), 0);
  for (const std::string& path : {dir.path("pipe"), std::string("/dev/zero")})
    EXPECT_EQ(ini::ProfileReader(path, {{"Radio", "Callsign"}}).value("Radio", "Callsign"), std::nullopt) << path;
}

// The file behind a link is replaced and the link stays; the replacement
// keeps the old file's permission bits.
TEST(ProfileWriter, ReplacesTheFileBehindALinkAndKeepsItsMode) {
  TempFolder dir;
  WriteAll(dir.path("real.ini"), "[A]\r\nk=1\r\n");
  ::chmod(dir.path("real.ini").c_str(), 0640);
  std::filesystem::create_directory(dir.path("links"));
  std::filesystem::create_symlink("../real.ini", dir.path("links/link.ini"));
  ini::ProfileWriter writer;
  writer.write("A", "k", "2");
  writer.commit(dir.path("links/link.ini"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path("links/link.ini")));
  EXPECT_EQ(ReadAll(dir.path("real.ini")), "[A]\r\nk=2\r\n");
  struct stat info {};
  ::stat(dir.path("real.ini").c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(dir.names().size(), 2u);  // no temporary file left behind
}

long MemoryKb(const char* field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with(field)) return std::stol(line.substr(std::string(field).size()));
  return -1;
}

// 64 MB with a line of 32 MB and 32 MB of binary junk: the import reads
// what it should in a small, fixed amount of memory.
TEST(Robustness, HugeFileLoadsInBoundedMemory) {
  TempFolder dir;
  {
    std::ofstream out(dir.path("huge.cfg"), std::ios::binary);
    out << "[!WARNING]\r\nApplication=Tarnvik Configurator\r\nVersion=v1.04\r\n[Radio]\r\nCallsign=";
    std::string block(1 << 20, 'A');
    for (int i = 0; i < 32; ++i) out << block;
    std::mt19937 random(99);
    for (int i = 0; i < 32; ++i) {
      for (char& c : block) c = static_cast<char>(random());
      out << block;
    }
    out << "\r\n[Beacons]\r\nBeacon3_msg=found\r\n";
  }
  std::ofstream("/proc/self/clear_refs") << "5";  // restart the peak at the present size
  const long baseline = MemoryKb("VmRSS:");
  DeviceSettings s = test::FreshSettings();
  test::RecordingOperator op;
  ASSERT_TRUE(LoadConfigFile(s, dir.path("huge.cfg"), op));
  const long peak = MemoryKb("VmHWM:");
  EXPECT_EQ(s.text("Callsign"), std::string(2047, 'A'));
  EXPECT_EQ(s.text("Beacon3_msg"), "found");
  ASSERT_GT(baseline, 0);
  EXPECT_LT(peak - baseline, 16 * 1024) << "peak " << peak << " kB, baseline " << baseline << " kB";
}

}  // namespace
}  // namespace tarnvik
