#pragma once
// The open connection to the unit, for the length of one operation: find the
// unit among the HID interfaces, open it, exchange reports, close.
//
// Every exchange is bounded: a unit that never answers fails the exchange
// after the time limit instead of holding the program. Before each request
// any input report already waiting is thrown away, so that an answer that
// came too late for an earlier request is never taken for the answer to this
// one. There is no retry anywhere: the caller logs the failure and stops.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "device/HidReport.h"
#include "device/HidTransport.h"

namespace tarnvik {

class Operator;

// Real units answer within a few milliseconds (two USB frames); a second
// leaves room for slow hubs and the unit's flash writes.
inline constexpr std::chrono::milliseconds kDefaultExchangeLimit{1000};

inline constexpr const char* kFoundLine = "Tarnvik found, vid: Vid_0483, pid: A04A";
inline constexpr const char* kNotFoundLine = "Tarnvik not found.";
inline constexpr const char* kInUseLine = "Tarnvik is in use by another program.";

// The unit's USB vendor and product: a backend that can list by them lists
// nothing else, which is faster and wakes no other device.
inline constexpr std::uint16_t kUnitVendorId = 0x0483;
inline constexpr std::uint16_t kUnitProductId = 0xA04A;

// An input report must bring its report id and at least one data byte; the
// data bytes missing from a shorter one are taken as zeros, as some HID
// stacks hand over only the bytes the device sent.
inline constexpr std::size_t kShortestReport = 2;

// Which unit an operation uses when several are attached.
struct UnitChoice {
  std::string path;  // the unit with this path, as FindUnits lists it; empty: the first one found
  std::string hint;  // ends the line naming the unit used when several were found and none was chosen
};

// True when the first of the hardware identifiers (up to the first zero
// byte) contains "Vid_0483&Pid_a04A", ignoring letter case.
bool MatchesTarnvik(std::string_view hardwareIds);

// The interfaces that are Tarnvik units, in enumeration order.
std::vector<HidInterface> FindUnits(HidTransport& transport);

// "PATH (serial SERIAL)", or "PATH (serial number unknown)": a unit named to
// the operator before something is sent to it.
std::string UnitName(const HidInterface& unit);

// One unit seen twice: the same path and the same serial number.
bool SameUnit(const HidInterface& a, const HidInterface& b);

// Why the last exchange failed.
enum class ExchangeFault {
  None,
  NotOpen,       // the device could not be opened
  WriteFailed,   // the system refused the request (unit unplugged)
  ShortWrite,    // fewer than 65 bytes went out
  NoAnswer,      // nothing came back within the time limit
  ReadFailed,    // the system failed the read (unit unplugged)
  ShortRead,     // the answer held no data byte
  OtherCommand,  // the answer carries another command code
};

class DeviceLink {
 public:
  DeviceLink(HidTransport& transport, Operator& op, std::chrono::milliseconds limit = kDefaultExchangeLimit,
             UnitChoice choice = {});
  ~DeviceLink();
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // Finds the unit chosen (by default the first interface that is a unit)
  // and tries to open it. Logs the found line and returns true when there is
  // one, even if opening failed (then a line names the path and the reason,
  // and every exchange fails); when several units were found and none was
  // chosen, a line after the found line names the unit used and how many
  // there are. Logs "Tarnvik not found." and returns false otherwise, and
  // when a unit was chosen, "No Tarnvik at PATH." after it. A unit
  // that another program holds (UnitSession) is left unopened: the found
  // line, then "Tarnvik is in use by another program.", and false. So is one
  // whose lock cannot be had (a simulated unit's lock file that is a link, a
  // pipe or out of reach; the system object of a unit on Windows): the found
  // line, then "Tarnvik's lock cannot be taken: LOCK: WHY.", and false.
  bool OpenLink();
  // Closes the device if open. Closing a closed link does nothing.
  void CloseLink();

  // Sends the request and takes one answer. True only when 65 bytes went out,
  // an answer of at least kShortestReport bytes came back within the time
  // limit (the bytes it lacks are zeros) and it echoes the command code.
  bool ExchangeReport(const HidReport& request, HidReport& response);

  ExchangeFault lastFault() const { return fault_; }
  // The bytes the last answer brought, its report id included (kReportSize
  // for a whole report); 0 when none came.
  std::size_t answerLength() const { return answered_; }
  // The unit the last OpenLink found; an empty path when it found none.
  const HidInterface& unit() const { return unit_; }
  std::chrono::milliseconds limit() const { return limit_; }

  // Called right after a transfer logged its failure line: adds the line that
  // explains a time-out ("Tarnvik did not answer within 1000 ms.").
  void logFaultNote() const;

 private:
  bool fail(ExchangeFault fault);
  void discardStaleInput();
  void logOpenFailure(const std::string& error) const;
  const HidInterface* chosen(const std::vector<HidInterface>& units) const;
  void logChoice(const std::vector<HidInterface>& units, const HidInterface& used) const;

  HidTransport& transport_;
  Operator& op_;
  std::chrono::milliseconds limit_;
  UnitChoice choice_;
  std::unique_ptr<HidConnection> connection_;
  HidInterface unit_;
  ExchangeFault fault_ = ExchangeFault::None;
  std::size_t answered_ = 0;
};

}  // namespace tarnvik
