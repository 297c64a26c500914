#include "device/hidapi/HidapiTransport.h"

#include <hidapi/hidapi.h>

#include <algorithm>

#include "core/OperationError.h"
#include "device/DeviceLink.h"
#include "device/hidapi/HidapiFraming.h"

namespace tarnvik {

namespace {

class HidapiConnection : public HidConnection {
 public:
  explicit HidapiConnection(hid_device* device) : device_(device) {}
  ~HidapiConnection() override { hid_close(device_); }
  HidapiConnection(const HidapiConnection&) = delete;
  HidapiConnection& operator=(const HidapiConnection&) = delete;

  HidTransfer write(std::span<const std::uint8_t> report) override {
    const int result = hid_write(device_, report.data(), report.size());
    return hidapi::WriteResult(result, result < 0 ? error() : std::string());
  }

  HidTransfer read(std::span<std::uint8_t> report, std::chrono::milliseconds limit) override {
    if (report.empty()) return HidTransfer::failed("no room for a report");
    const std::span<std::uint8_t> body = report.subspan(1);
    const int result = hid_read_timeout(device_, body.data(), body.size(), hidapi::TimeoutMs(limit.count()));
    return hidapi::FramedRead(result, report, result < 0 ? error() : std::string());
  }

 private:
  std::string error() const { return hidapi::Narrow(hid_error(device_)); }

  hid_device* device_;
};

}  // namespace

HidapiTransport::HidapiTransport() {
  if (hid_init() != 0)
    throw OperationError("Unable to start the USB HID library: " + hidapi::Narrow(hid_error(nullptr)));
}

HidapiTransport::~HidapiTransport() { hid_exit(); }

std::vector<HidInterface> HidapiTransport::enumerate() {
  std::vector<HidInterface> present;
  hid_device_info* const list = hid_enumerate(kUnitVendorId, kUnitProductId);
  for (const hid_device_info* info = list; info != nullptr; info = info->next) {
    // hidraw lists a device once per top-level collection, all with one path.
    if (info->path == nullptr ||
        std::any_of(present.begin(), present.end(), [&](const HidInterface& seen) { return seen.path == info->path; }))
      continue;
    present.push_back({info->path, hidapi::HardwareIds(info->vendor_id, info->product_id, info->release_number),
                       hidapi::Narrow(info->serial_number)});
  }
  hid_free_enumeration(list);
  return present;
}

HidTransport::Opened HidapiTransport::open(const std::string& path) {
  hid_device* const device = hid_open_path(path.c_str());
  if (device == nullptr) return {nullptr, hidapi::DescribeOpenFailure(path, hidapi::Narrow(hid_error(nullptr)))};
  return {std::make_unique<HidapiConnection>(device), {}};
}

HidTransport::UnitLock HidapiTransport::lockUnit([[maybe_unused]] const std::string& path) {
#ifdef __APPLE__
  return {};
#else
  return {platform::FileLock::TryLockDevice(path), true};
#endif
}

std::string HidapiVersion() { return std::string("hidapi ") + hid_version_str(); }

}  // namespace tarnvik
