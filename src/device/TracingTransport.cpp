#include "device/TracingTransport.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <ostream>

namespace tarnvik {

namespace {

std::string UtcNow() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const auto micros = duration_cast<microseconds>(now.time_since_epoch()).count() % 1000000;
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[40];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
  char fraction[16];
  std::snprintf(fraction, sizeof fraction, ".%06lldZ", static_cast<long long>(micros));
  return std::string(text) + fraction;
}

std::string Hex(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (const std::uint8_t byte : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

// A report that came shorter than the frame is shown as it came, with its length.
std::string LengthNote(std::size_t length, std::size_t frame) {
  if (length >= frame) return {};
  return " (" + std::to_string(length) + " of " + std::to_string(frame) + " bytes)";
}

class TracingConnection : public HidConnection {
 public:
  TracingConnection(std::unique_ptr<HidConnection> inner, std::ostream& out) : inner_(std::move(inner)), out_(out) {}

  HidTransfer write(std::span<const std::uint8_t> report) override {
    const HidTransfer sent = inner_->write(report);
    std::string note;
    if (sent.status != HidTransfer::Status::Done) note = " (failed: " + sent.error + ")";
    if (sent.status == HidTransfer::Status::Done && sent.length != report.size())
      note = " (only " + std::to_string(sent.length) + " bytes sent)";
    line('>', Hex(report) + note);
    return sent;
  }

  HidTransfer read(std::span<std::uint8_t> report, std::chrono::milliseconds limit) override {
    const HidTransfer got = inner_->read(report, limit);
    const bool looking = limit.count() == 0;  // only looking for reports already waiting
    if (got.status == HidTransfer::Status::Done)
      line('<', Hex(report.first(std::min(got.length, report.size()))) + LengthNote(got.length, report.size()) +
                    (looking ? " (already waiting, discarded)" : ""));
    else if (got.status == HidTransfer::Status::Failed)
      line('<', "(failed: " + got.error + ")");
    else if (!looking)
      line('<', "(no answer within " + std::to_string(limit.count()) + " ms)");
    return got;
  }

 private:
  void line(char direction, const std::string& text) {
    out_ << UtcNow() << ' ' << direction << ' ' << text << '\n' << std::flush;
  }

  std::unique_ptr<HidConnection> inner_;
  std::ostream& out_;
};

}  // namespace

HidTransport::Opened TracingTransport::open(const std::string& path) {
  Opened opened = inner_.open(path);
  if (opened.connection) opened.connection = std::make_unique<TracingConnection>(std::move(opened.connection), out_);
  return opened;
}

}  // namespace tarnvik
