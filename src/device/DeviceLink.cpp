#include "device/DeviceLink.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "core/Operator.h"
#include "platform/UsbAccess.h"

namespace tarnvik {

namespace {

constexpr std::string_view kMatchText = "Vid_0483&Pid_a04A";

// A device that keeps sending must not keep the exchange from starting.
constexpr int kMaxStaleReports = 64;

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

}  // namespace

bool MatchesTarnvik(std::string_view hardwareIds) {
  const std::string_view first = hardwareIds.substr(0, hardwareIds.find('\0'));
  return Lower(first).find(Lower(kMatchText)) != std::string::npos;
}

std::vector<HidInterface> FindUnits(HidTransport& transport) {
  std::vector<HidInterface> units;
  for (HidInterface& present : transport.enumerate())
    if (MatchesTarnvik(present.hardwareIds)) units.push_back(std::move(present));
  return units;
}

std::string UnitName(const HidInterface& unit) {
  return unit.path + (unit.serial.empty() ? " (serial number unknown)" : " (serial " + unit.serial + ")");
}

bool SameUnit(const HidInterface& a, const HidInterface& b) { return a.path == b.path && a.serial == b.serial; }

DeviceLink::DeviceLink(HidTransport& transport, Operator& op, std::chrono::milliseconds limit, UnitChoice choice)
    : transport_(transport),
      op_(op),
      limit_(std::max(limit, std::chrono::milliseconds(0))),
      choice_(std::move(choice)) {}

DeviceLink::~DeviceLink() { CloseLink(); }

bool DeviceLink::OpenLink() {
  CloseLink();
  unit_ = {};
  const std::vector<HidInterface> units = FindUnits(transport_);
  const HidInterface* const unit = chosen(units);
  if (unit == nullptr) {
    op_.logLine(kNotFoundLine);
    if (!choice_.path.empty()) op_.logLine("No Tarnvik at " + choice_.path + ".");
    return false;
  }
  unit_ = *unit;
  HidTransport::Opened opened = transport_.open(unit->path);
  connection_ = std::move(opened.connection);
  op_.logLine(kFoundLine);
  logChoice(units, *unit);
  if (opened.inUse) {
    op_.logLine(kInUseLine);
    return false;
  }
  if (opened.lockFault) {
    op_.logLine("Tarnvik's lock cannot be taken: " + opened.error + ".");
    return false;
  }
  if (!connection_) logOpenFailure(opened.error);
  return true;
}

const HidInterface* DeviceLink::chosen(const std::vector<HidInterface>& units) const {
  if (choice_.path.empty()) return units.empty() ? nullptr : &units.front();
  const auto unit =
      std::find_if(units.begin(), units.end(), [&](const HidInterface& u) { return u.path == choice_.path; });
  return unit == units.end() ? nullptr : &*unit;
}

void DeviceLink::logChoice(const std::vector<HidInterface>& units, const HidInterface& used) const {
  if (!choice_.path.empty() || units.size() < 2) return;
  std::string line = std::to_string(units.size()) + " units found; using " + used.path + ".";
  if (!choice_.hint.empty()) line += " " + choice_.hint;
  op_.logLine(line);
}

void DeviceLink::logOpenFailure(const std::string& error) const {
  std::string reason = error.empty() ? "the system gave no reason" : error;
  if (reason.back() == '.') reason.pop_back();
  op_.logLine("Tarnvik cannot be opened: " + reason + ". See \"" + std::string(platform::UsbAccessSection()) +
              "\" in " + std::string(platform::UsbAccessReadme()) + ".");
}

void DeviceLink::CloseLink() { connection_.reset(); }

bool DeviceLink::fail(ExchangeFault fault) {
  fault_ = fault;
  return false;
}

void DeviceLink::discardStaleInput() {
  HidReport stale{};
  for (int i = 0; i < kMaxStaleReports; ++i)
    if (connection_->read(stale, std::chrono::milliseconds(0)).status != HidTransfer::Status::Done) return;
}

bool DeviceLink::ExchangeReport(const HidReport& request, HidReport& response) {
  fault_ = ExchangeFault::None;
  answered_ = 0;
  response.fill(0);
  if (!connection_) return fail(ExchangeFault::NotOpen);
  discardStaleInput();
  const HidTransfer sent = connection_->write(request);
  if (sent.status != HidTransfer::Status::Done) return fail(ExchangeFault::WriteFailed);
  // A request that did not go out whole gets no answer worth waiting for.
  if (sent.length != kReportSize) return fail(ExchangeFault::ShortWrite);
  const HidTransfer got = connection_->read(response, limit_);
  if (got.status == HidTransfer::Status::TimedOut) return fail(ExchangeFault::NoAnswer);
  if (got.status != HidTransfer::Status::Done) return fail(ExchangeFault::ReadFailed);
  answered_ = std::min(got.length, kReportSize);
  if (got.length < kShortestReport) return fail(ExchangeFault::ShortRead);
  std::fill(response.begin() + static_cast<std::ptrdiff_t>(std::min(got.length, kReportSize)), response.end(), 0);
  if (response[report::kCommand] != request[report::kCommand]) return fail(ExchangeFault::OtherCommand);
  return true;
}

void DeviceLink::logFaultNote() const {
  if (fault_ == ExchangeFault::NoAnswer)
    op_.logLine("Tarnvik did not answer within " + std::to_string(limit_.count()) + " ms.");
}

}  // namespace tarnvik
