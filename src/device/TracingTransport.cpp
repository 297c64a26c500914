#include "device/TracingTransport.h"

#include <chrono>
#include <cstdio>
#include <ostream>

namespace tarnvik {

namespace {

std::string UtcNow() {
  using namespace std::chrono;
  const auto now = floor<microseconds>(system_clock::now());
  const auto day = floor<days>(now);
  const year_month_day date{day};
  const hh_mm_ss<microseconds> time{now - day};
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%06lldZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()), static_cast<long long>(time.subseconds().count()));
  return text;
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
