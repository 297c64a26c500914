// Upload firmware: the dialog, the file checks and the pages as the unit
// receives them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "device/FirmwareUpload.h"
#include "device/UnitOnDesk.h"
#include "support/FoundLine.h"
#include "support/TestFiles.h"
#include "support/TestSystem.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

using test::kFound;

class FirmwareUpload : public ::testing::Test {
 protected:
  // A file of n bytes counting 1, 2, 3 ... (mod 251, so pages differ).
  std::string file(std::size_t n, const char* name = "fw.bin", std::uint8_t fill = 0) {
    std::string bytes(n, '\0');
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>(fill ? fill : (i + 1) % 251);
    const fs::path path = dir / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  UploadOutcome upload(const std::string& path) {
    desk.record.answerFile(path);
    return UploadFirmwareClick(desk.access, buffer, "/opt/tarnvik/");
  }
  std::vector<std::uint8_t> padded(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bytes.resize((bytes.size() + 31) / 32 * 32, 0);
    return bytes;
  }

  test::TempFolder scratch;
  fs::path dir = scratch.root();
  test::UnitOnDesk desk;
  FirmwareBuffer buffer;
};

TEST_F(FirmwareUpload, AsksForTheFileInTheFirmwareFolderOnlyOnceTheUnitIsFound) {
  EXPECT_EQ(UploadFirmwareClick(desk.access, buffer, "/opt/tarnvik/"), UploadOutcome::Cancelled);
  ASSERT_EQ(desk.record.fileRequests.size(), 1u);
  const FileRequest& request = desk.record.fileRequests[0];
  EXPECT_EQ(request.mode, FileRequest::Mode::Open);
  EXPECT_EQ(request.initialFolder, "/opt/tarnvik/firmware/");
  EXPECT_EQ(request.filter, "");
  EXPECT_EQ(desk.record.log, std::vector<std::string>{kFound});
  EXPECT_EQ(desk.unit->requestCount(), 0u);
}

TEST_F(FirmwareUpload, ThirtyThreeBytesGoAsTwoPagesTheLastOneZeroFilled) {
  const std::string path = file(33);
  EXPECT_EQ(upload(path), UploadOutcome::Done);
  EXPECT_EQ(desk.record.log,
            (std::vector<std::string>{kFound, "Page written: 1/2", "Page written: 2/2", "Firmware upgrade success"}));
  EXPECT_EQ(desk.record.progressMaximum, 2);
  EXPECT_EQ(desk.record.progressPosition, 0);
  EXPECT_EQ(desk.unit->firmware(), padded(path));
}

TEST_F(FirmwareUpload, AShortFileAfterALongOneSendsZerosNotTheOldBytes) {
  ASSERT_EQ(upload(file(FirmwareBuffer::kSize, "long.bin", 0xEE)), UploadOutcome::Done);
  const std::string shortFile = file(33, "short.bin");
  ASSERT_EQ(upload(shortFile), UploadOutcome::Done);
  const std::vector<std::uint8_t> expected = padded(shortFile);
  EXPECT_EQ(desk.unit->firmware(), expected);
  EXPECT_EQ(expected[33], 0);
}

TEST_F(FirmwareUpload, TheLargestFileGoesWholeAndOneByteMoreIsRefusedBeforeAnyPage) {
  const std::string largest = file(54272);
  EXPECT_EQ(upload(largest), UploadOutcome::Done);
  EXPECT_EQ(desk.record.log.size(), 1u + 1696u + 1u);
  EXPECT_EQ(desk.record.log[1696], "Page written: 1696/1696");
  EXPECT_EQ(desk.unit->firmware(), padded(largest));

  desk.record.log.clear();
  const std::uint64_t before = desk.unit->requestCount();
  EXPECT_EQ(upload(file(54273)), UploadOutcome::TooLong);
  ASSERT_EQ(desk.record.boxes.size(), 1u);
  EXPECT_EQ(desk.record.boxes[0].kind, test::Box::Kind::Information);
  EXPECT_EQ(desk.record.boxes[0].caption, "File to long.");
  EXPECT_EQ(desk.record.boxes[0].text, "Firmware file error.");
  EXPECT_EQ(desk.record.log, std::vector<std::string>{kFound});
  EXPECT_EQ(desk.unit->requestCount(), before);
}

TEST_F(FirmwareUpload, AnEmptyFileSendsNothingAndSucceeds) {
  EXPECT_EQ(upload(file(0)), UploadOutcome::Done);
  EXPECT_EQ(desk.record.log, (std::vector<std::string>{kFound, "Firmware upgrade success"}));
  EXPECT_EQ(desk.record.progressPosition, 0);
  EXPECT_EQ(desk.unit->requestCount(), 0u);
}

TEST_F(FirmwareUpload, AFileThatCannotBeOpenedGetsItsBox) {
  for (const std::string& path : {(dir / "missing.bin").string(), dir.string()}) {
    desk.record.boxes.clear();
    EXPECT_EQ(upload(path), UploadOutcome::OpenError);
    ASSERT_EQ(desk.record.boxes.size(), 1u);
    EXPECT_EQ(desk.record.boxes[0].caption, "File open error");
    EXPECT_EQ(desk.record.boxes[0].text, "File open error.");
  }
  EXPECT_EQ(desk.unit->requestCount(), 0u);
}

// A device or a pipe has no size to look at: it is read by its content, up to
// one byte past the limit, and meets the same limit as a regular file.
TEST_F(FirmwareUpload, FilesWithoutASizeAreReadByTheirContent) {
  if (!test::OnPosix()) GTEST_SKIP() << "named pipes and /dev/zero: POSIX systems only";
  const std::string pipe = (dir / "pipe").string();
  ASSERT_TRUE(test::MakeNamedPipe(pipe));
  const struct {
    const char* name;
    std::size_t piped;  // bytes sent through the pipe
    UploadOutcome outcome;
  } cases[] = {
      {"/dev/zero", 0, UploadOutcome::TooLong},
      {"pipe", 100, UploadOutcome::Done},
      {"pipe", FirmwareBuffer::kSize, UploadOutcome::Done},
      {"pipe", FirmwareBuffer::kSize + 1, UploadOutcome::TooLong},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.piped));
    const std::string bytes(c.piped, 'p');
    std::thread writer;
    if (c.piped > 0) writer = std::thread([&] { std::ofstream(pipe, std::ios::binary) << bytes; });
    const std::uint64_t before = desk.unit->requestCount();
    EXPECT_EQ(upload(c.piped > 0 ? pipe : c.name), c.outcome);
    if (writer.joinable()) writer.join();
    const std::uint64_t pages = c.outcome == UploadOutcome::Done ? (c.piped + 31) / 32 : 0;
    EXPECT_EQ(desk.unit->requestCount() - before, pages);
    if (c.outcome == UploadOutcome::Done) {
      EXPECT_EQ(std::string(desk.unit->firmware().begin(), desk.unit->firmware().begin() + long(c.piped)), bytes);
    }
  }
}

}  // namespace
}  // namespace tarnvik
