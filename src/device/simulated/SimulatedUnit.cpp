#include "device/simulated/SimulatedUnit.h"

#include <algorithm>
#include <utility>

#include "device/simulated/UnitStateFolder.h"

namespace tarnvik {

namespace {

constexpr std::size_t kFirmwarePages = 54272 / report::kPageBytes;
const char* const kGone = "device disconnected";
constexpr std::size_t kShortAnswer = 1;   // the report id alone
constexpr std::size_t kDamagedByte = 16;  // of a page kept damaged (bad-store)

bool SumMatches(const HidReport& request) { return PageSum(ReportPage(request)) == GetU16(request, report::kSum); }

// The length of a report without its trailing zero bytes.
std::size_t TrimmedLength(const HidReport& report) {
  std::size_t length = report.size();
  while (length > 1 && report[length - 1] == 0) --length;
  return length;
}

HidReport Answer(const HidReport& request) {
  HidReport answer{};
  answer[report::kCommand] = request[report::kCommand];
  return answer;
}

}  // namespace

SimulatedUnit::SimulatedUnit() = default;

SimulatedUnit::SimulatedUnit(const std::string& folder)
    : realTime_(true), folder_(std::make_unique<UnitStateFolder>(folder)) {
  memory_ = folder_->memory();
  version_ = folder_->version();
  faults_ = folder_->faults();
  openRefusal_ = folder_->openRefusal();
  unplugged_ = folder_->unplugged();
  if (std::string serial = folder_->serial(); !serial.empty()) serial_ = std::move(serial);
}

SimulatedUnit::~SimulatedUnit() = default;

std::string SimulatedUnit::lockFile() const { return folder_ ? folder_->lockFile() : std::string(); }

void SimulatedUnit::reloadState() {
  if (!folder_) return;
  memory_ = folder_->memory();
  version_ = folder_->version();
  unplugged_ = folder_->unplugged();
}

bool SimulatedUnit::present() const { return folder_ ? !folder_->unplugged() : !unplugged_; }

std::optional<FaultKind> SimulatedUnit::faultNow() const {
  for (const Fault& fault : faults_)
    if (fault.atRequest == requestCount_) return fault.kind;
  return std::nullopt;
}

void SimulatedUnit::unplug() {
  unplugged_ = true;
  input_.clear();
  late_.reset();
  if (folder_) folder_->markUnplugged();
}

HidTransfer SimulatedUnit::receive(std::span<const std::uint8_t> report) {
  if (unplugged_) return HidTransfer::failed(kGone);
  ++requestCount_;
  const std::optional<FaultKind> fault = faultNow();
  if (fault == FaultKind::Unplug) {
    unplug();
    return HidTransfer::failed(kGone);
  }
  if (fault == FaultKind::ShortWrite) return HidTransfer::done(kReportSize - 1);
  HidReport request{};
  std::copy_n(report.begin(), std::min(report.size(), kReportSize), request.begin());
  if (keepRequests_) requests_.push_back(request);
  if (fault == FaultKind::WrongSum && request[report::kCommand] != std::uint8_t(Command::ReadPage))
    request[report::kData] ^= 0x01;  // damaged on the way: its sum no longer matches
  if (std::optional<HidReport> reply = answer(request, fault)) send(*reply, fault);
  return HidTransfer::done(report.size());
}

void SimulatedUnit::send(HidReport reply, std::optional<FaultKind> fault) {
  if (fault == FaultKind::NoAnswer) return;
  if (fault == FaultKind::OtherCommand) reply[report::kCommand] = std::uint8_t(reply[report::kCommand] + 1);
  if (fault == FaultKind::WrongSum) reply[report::kSum] ^= 0x01;
  if (fault == FaultKind::LateAnswer)
    late_ = reply;
  else
    input_.push_back({reply, fault == FaultKind::ShortAnswer     ? kShortAnswer
                             : fault == FaultKind::TrimmedAnswer ? TrimmedLength(reply)
                                                                 : kReportSize});
}

HidTransfer SimulatedUnit::deliver(std::span<std::uint8_t> report) {
  if (unplugged_) return HidTransfer::failed(kGone);
  if (input_.empty()) {
    // A late answer arrives just after the reader gave up waiting.
    if (late_) input_.push_back({*std::exchange(late_, std::nullopt), kReportSize});
    return HidTransfer::timedOut();
  }
  const Input next = input_.front();
  input_.pop_front();
  const std::size_t n = std::min(report.size(), next.length);
  std::copy_n(next.report.begin(), n, report.begin());
  return HidTransfer::done(n);
}

std::optional<HidReport> SimulatedUnit::answer(const HidReport& request, std::optional<FaultKind> fault) {
  switch (Command(request[report::kCommand])) {
    case Command::FirmwareVersion: {
      HidReport reply = Answer(request);
      PutU32(reply, report::kVersion, version_);
      return reply;
    }
    case Command::ReadPage: return readPage(request);
    case Command::WritePage: return writePage(request, fault == FaultKind::BadStore);
    case Command::FirmwarePage: return firmwarePage(request);
  }
  return std::nullopt;
}

std::optional<HidReport> SimulatedUnit::readPage(const HidReport& request) const {
  const std::uint16_t p = GetU16(request, report::kIndex);
  if (p >= ConfigImage::kPageCount) return std::nullopt;
  return MakePageRequest(Command::ReadPage, p, memory_.page(p));  // same shape as the request
}

// A damaged page is acknowledged like any other: only reading it back shows it.
std::optional<HidReport> SimulatedUnit::writePage(const HidReport& request, bool keepDamaged) {
  const std::uint16_t p = GetU16(request, report::kIndex);
  if (p >= ConfigImage::kPageCount || !SumMatches(request)) return std::nullopt;
  const auto stored = memory_.page(p);
  const PageBytes data = ReportPage(request);
  std::copy(data.begin(), data.end(), stored.begin());
  if (keepDamaged) stored[kDamagedByte] ^= 0x01;
  if (folder_) folder_->storePage(p, stored);
  return Answer(request);
}

std::optional<HidReport> SimulatedUnit::firmwarePage(const HidReport& request) {
  const std::uint16_t i = GetU16(request, report::kIndex);
  if (i >= kFirmwarePages || !SumMatches(request)) return std::nullopt;
  if (i == 0) firmware_.clear();
  const std::size_t end = (std::size_t{i} + 1) * report::kPageBytes;
  firmware_.resize(std::max(firmware_.size(), end), 0);
  const PageBytes data = ReportPage(request);
  std::copy(data.begin(), data.end(), firmware_.begin() + static_cast<std::ptrdiff_t>(end - data.size()));
  if (folder_) folder_->storeFirmwarePage(i, data);
  return Answer(request);
}

}  // namespace tarnvik
