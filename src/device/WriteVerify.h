#pragma once
// The read-back after a write: the 64 pages are read again over the same
// open link and compared byte for byte with what was written. A page that
// differs is named with the settings (or the image's own parts) that its
// differing bytes hold, so that the operator knows what the unit now keeps
// wrong. The window and the tool report it alike; only the line that says
// all went well is their own.

#include <string>
#include <vector>

namespace tarnvik {

class ConfigImage;
class DeviceLink;
class Operator;

struct VerifyResult {
  bool readBack = false;                 // all 64 pages came back
  std::vector<std::string> pageReports;  // one line per page that differs, in page order

  bool matches() const { return readBack && pageReports.empty(); }
};

// Reads the pages back (with their page lines and progress, as Read config
// logs them) and compares them with `written`. The link must be open.
VerifyResult VerifyWrittenPages(DeviceLink& link, const ConfigImage& written, Operator& op);

// The pages that differ between two images, one line per page:
// "Page 6/64 (bytes 160 to 191): Beacon1_msg, Beacon1_path".
std::vector<std::string> DifferingPages(const ConfigImage& written, const ConfigImage& back);

// What a verify that did not match says: "Verify error: the pages written
// could not be read back.", or "Verify error: 1 page of 64 differs from what
// was written." (N pages ... differ) followed by the page lines.
std::vector<std::string> VerifyErrorLines(const VerifyResult& result);

}  // namespace tarnvik
