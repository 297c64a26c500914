// Fuzz target: a unit whose every answer comes from the fuzzer's bytes: any
// length, any command code, any sum, no answer, a failed write, reports that
// arrive unasked. The input's first byte picks the operation: Read
// config, Write config, the version query or a four-page firmware upload.
//
// Properties checked:
//  - requests go out in order, one per page, each well formed (command,
//    page number, the data and its sum), and none after the first failed page;
//  - the log has one "written"/"read" line per acknowledged page and, after a
//    failed one, its error line; the closing line only when all went through;
//  - Read config changes no setting unless it decoded the image, and then the
//    settings are exactly that image decoded;
//  - a page read holds what the unit answered for that page: a report that
//    arrived unasked is never taken for an answer;
//  - the version box, when shown, says what the answer's bytes 2 to 5 say.

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "device/DeviceOperations.h"
#include "device/FirmwareUpload.h"
#include "device/HidTransport.h"
#include "image/ConfigImage.h"
#include "image/DecodeImage.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"

namespace tarnvik::fuzz {

namespace {

// The fuzzer's bytes, read one at a time; zeros once they run out, which
// makes every later answer a proper one, so each run ends.
class Script {
 public:
  Script(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// One answer as the script shapes it: mostly the proper answer to the
// request, sometimes a damaged one, none at all, or a failing stack.
HidReport ProperAnswer(const HidReport& request, Script& script) {
  HidReport answer{};
  answer[report::kCommand] = request[report::kCommand];
  if (request[report::kCommand] == static_cast<std::uint8_t>(Command::ReadPage)) {
    for (std::size_t i = 0; i < report::kPageBytes; ++i) answer[report::kData + i] = script.next();
    PutU16(answer, report::kSum, PageSum(ReportPage(answer)));
  }
  if (request[report::kCommand] == static_cast<std::uint8_t>(Command::FirmwareVersion))
    for (std::size_t i = 0; i < 4; ++i) answer[report::kVersion + i] = script.next();
  return answer;
}

struct Reply {
  HidTransfer transfer;
  HidReport report{};
};

// What the unit saw and said: every request, every answer read (not the
// stale ones), and the data it answered for each page read.
struct Exchanges {
  std::vector<HidReport> requests;
  std::vector<HidReport> answers;
  std::vector<std::vector<std::uint8_t>> pagesSent = std::vector<std::vector<std::uint8_t>>(64);
};

class ScriptedConnection : public HidConnection {
 public:
  ScriptedConnection(Script& script, Exchanges& seen) : script_(script), seen_(seen) {}

  HidTransfer write(std::span<const std::uint8_t> bytes) override {
    HidReport request{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), kReportSize), request.begin());
    seen_.requests.push_back(request);
    const std::uint8_t mode = script_.next();
    if (mode == 1) return HidTransfer::failed("device disconnected");
    if (mode == 2) return HidTransfer::done(script_.next() % kReportSize);
    input_.push_back(answerTo(request));
    return HidTransfer::done(bytes.size());
  }

  // Takes the oldest report waiting, as the HID stack does; a look (limit 0)
  // and a wait alike.
  HidTransfer read(std::span<std::uint8_t> bytes, std::chrono::milliseconds limit) override {
    if (input_.empty()) return HidTransfer::timedOut();
    const Reply reply = input_.front();
    input_.pop_front();
    std::copy(reply.report.begin(), reply.report.end(), bytes.begin());
    if (limit.count() > 0 && reply.transfer.status == HidTransfer::Status::Done) seen_.answers.push_back(reply.report);
    if (limit.count() > 0) addUnaskedReports();
    return reply.transfer;
  }

 private:
  Reply answerTo(const HidReport& request) {
    Reply reply{HidTransfer::done(kReportSize), ProperAnswer(request, script_)};
    switch (script_.next() % 8) {
      case 1: reply.transfer = HidTransfer::timedOut(); break;
      case 2: reply.transfer = HidTransfer::failed("device disconnected"); break;
      case 3: {  // a short report: what the unit sent, the rest zeros
        reply.transfer = HidTransfer::done(script_.next() % kReportSize);
        std::fill(reply.report.begin() + static_cast<std::ptrdiff_t>(reply.transfer.length), reply.report.end(), 0);
        break;
      }
      case 4: reply.report[report::kCommand] = script_.next(); break;
      case 5: reply.report[report::kSum] ^= static_cast<std::uint8_t>(script_.next() | 1); break;
      case 6: reply.report[report::kData + script_.next() % report::kPageBytes] ^= 0x80; break;
      default: break;
    }
    if (request[report::kCommand] == static_cast<std::uint8_t>(Command::ReadPage)) {
      const PageBytes data = ReportPage(reply.report);
      seen_.pagesSent[GetU16(request, report::kIndex) % 64].assign(data.begin(), data.end());
    }
    return reply;
  }

  // Now and then reports nobody asked for arrive after an answer: well-formed
  // page answers with a right sum. The link must drop them before its next
  // request, or they would pass for the next page.
  void addUnaskedReports() {
    for (int n = script_.next() % 16 == 1 ? 1 + script_.next() % 3 : 0; n > 0; --n) {
      HidReport unasked{};
      unasked[report::kCommand] = static_cast<std::uint8_t>(Command::ReadPage);
      for (std::size_t i = 0; i < report::kPageBytes; ++i) unasked[report::kData + i] = script_.next() ^ 0x5A;
      PutU16(unasked, report::kSum, PageSum(ReportPage(unasked)));
      input_.push_back({HidTransfer::done(kReportSize), unasked});
    }
  }

  Script& script_;
  Exchanges& seen_;
  std::deque<Reply> input_;
};

class ScriptedUnit : public HidTransport {
 public:
  explicit ScriptedUnit(Script& script) : script_(script) {}
  std::vector<HidInterface> enumerate() override {
    return {{"/dev/hidraw-fuzz", std::string("HID\\VID_0483&PID_A04A&REV_0200") + '\0'}};
  }
  Opened open(const std::string&) override { return {std::make_unique<ScriptedConnection>(script_, seen), {}}; }

  Exchanges seen;

 private:
  Script& script_;
};

// Every value, the clock fields and the enabled states.
constexpr test::Compare kEverything{true, true};

std::size_t CountStarting(const std::vector<std::string>& log, const std::string& prefix) {
  return static_cast<std::size_t>(
      std::count_if(log.begin(), log.end(), [&](const std::string& line) { return line.starts_with(prefix); }));
}

// The page requests of one command, in order, each carrying its page and
// (for writes) the right data and sum; none after a failed page.
void RequirePageRequests(const std::vector<HidReport>& requests, Command command, std::size_t done, bool failed,
                         const std::vector<std::uint8_t>& source) {
  std::vector<HidReport> pages;
  for (const HidReport& r : requests)
    if (r[report::kCommand] == static_cast<std::uint8_t>(command)) pages.push_back(r);
  Require(pages.size() == done + (failed ? 1 : 0), "one request per page, none after the first failed page");
  for (std::size_t p = 0; p < pages.size(); ++p) {
    Require(pages[p][0] == 0 && GetU16(pages[p], report::kIndex) == p, "pages are asked for in order");
    if (source.empty()) continue;
    const PageBytes data = ReportPage(pages[p]);
    Require(std::equal(data.begin(), data.end(), source.begin() + static_cast<std::ptrdiff_t>(p * 32)),
            "a page carries its own bytes");
    Require(GetU16(pages[p], report::kSum) == PageSum(data), "a page carries the sum of its bytes");
  }
}

void ReadConfigProperties(Script& script) {
  ScriptedUnit unit(script);
  test::RecordingOperator op;
  DeviceSettings settings = Fresh();
  const DeviceSettings before = settings;
  ConfigImage image;
  const ReadConfigOutcome outcome = ReadConfig({unit, op}, image, settings);
  const std::size_t read = CountStarting(op.log, "Page read: ");
  const bool failed = CountStarting(op.log, "Page read error: ") == 1;
  Require(outcome.allPages == (read == 64 && !failed), "the read is whole exactly when 64 pages came in");
  RequirePageRequests(unit.seen.requests, Command::ReadPage, read, failed, {});
  std::vector<std::vector<std::uint8_t>> sent = unit.seen.pagesSent;
  // A refused version mark is cut to seven characters in the image read.
  if (read > 0 && outcome.checksumOk && !outcome.decoded) sent[0][13] = 0;
  for (std::size_t p = 0; p < read; ++p) {
    const auto page = image.page(p);
    Require(std::equal(page.begin(), page.end(), sent[p].begin(), sent[p].end()),
            "a page read holds what the unit answered for it, never a report nobody asked for");
  }
  if (!outcome.decoded) {
    RequireSameSettings(before, settings, kEverything, "a read that was not shown changes nothing");
    return;
  }
  DeviceSettings expected = Fresh();
  test::RecordingOperator quiet;
  ConfigImage copy = image;
  Require(DecodeImage(copy, expected, quiet), "a shown image decodes");
  RequireSameSettings(expected, settings, kEverything, "the settings are the image read");
}

void WriteConfigProperties(Script& script) {
  ScriptedUnit unit(script);
  test::RecordingOperator op;
  DeviceSettings settings = Fresh();
  ConfigImage image;
  const WriteConfigOutcome outcome = WriteConfig({unit, op}, settings, image, test::TestClock(), [] { return 77; });
  Require(outcome.encoded, "the start-up settings encode");
  const std::size_t written = CountStarting(op.log, "Page written: ");
  const bool failed = CountStarting(op.log, "Page write error: ") == 1;
  Require(outcome.allPages == (written == 64 && !failed), "the write is whole exactly when 64 pages went through");
  Require((CountStarting(op.log, "Eeprom write success") == 1) == outcome.allPages, "success only when whole");
  RequirePageRequests(unit.seen.requests, Command::WritePage, written, failed,
                      {image.bytes.begin(), image.bytes.end()});
}

void VersionProperties(Script& script) {
  ScriptedUnit unit(script);
  test::RecordingOperator op;
  const VersionOutcome outcome = ShowFirmwareVersion({unit, op});
  Require(op.boxes.size() == (outcome.shown ? 1u : 0u), "one box when the version was shown, none otherwise");
  if (!outcome.shown) return;
  Require(unit.seen.requests.size() == 1 && unit.seen.answers.size() == 1,
          "one request and one answer for the version");
  const std::uint32_t value = GetU32(unit.seen.answers.front(), report::kVersion);
  Require(op.boxes.front().text == FirmwareVersionText(value), "the box shows the version the answer carried");
}

void FirmwareProperties(Script& script) {
  std::vector<std::uint8_t> file(100);
  for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 7 + 1);
  // The same file for every run, so written once.
  static const std::string path = [&file] {
    const std::string scratch = ScratchPath("firmware.bin");
    WriteFile(scratch, std::string(file.begin(), file.end()));
    return scratch;
  }();
  ScriptedUnit unit(script);
  test::RecordingOperator op;
  op.answerFile(path);
  FirmwareBuffer buffer;
  const UploadOutcome outcome = UploadFirmwareClick({unit, op}, buffer, "/opt/tarnvik/");
  const std::size_t written = CountStarting(op.log, "Page written: ");
  const bool failed = CountStarting(op.log, "Page write error: ") == 1;
  Require((outcome == UploadOutcome::Done) == (written == 4 && !failed), "done exactly when the 4 pages went through");
  file.resize(128, 0);  // the last page is padded with zeros
  RequirePageRequests(unit.seen.requests, Command::FirmwarePage, written, failed, file);
}

}  // namespace

}  // namespace tarnvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvik::fuzz;
  if (size == 0) return 0;
  Script script(data + 1, size - 1);
  switch (data[0] % 4) {
    case 0: ReadConfigProperties(script); break;
    case 1: WriteConfigProperties(script); break;
    case 2: VersionProperties(script); break;
    default: FirmwareProperties(script); break;
  }
  return 0;
}
