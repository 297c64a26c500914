#include "support/HidapiDouble.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <mutex>
#include <vector>

#include "device/DeviceLink.h"
#include "device/simulated/SimulatedUnit.h"

struct hid_device_ {
  std::shared_ptr<tarnvik::SimulatedUnit> unit;
  std::string path;
  std::wstring error;
};

namespace tarnvik::test {

namespace {

struct Attached {
  std::string path;
  std::shared_ptr<SimulatedUnit> unit;
  std::wstring serial;
};

std::mutex guard;
std::vector<Attached> attached;
std::wstring lastError;
int listings = 0;

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

const Attached* Find(const std::string& path) {
  const auto found = std::find_if(attached.begin(), attached.end(), [&](const Attached& a) { return a.path == path; });
  return found == attached.end() ? nullptr : &*found;
}

wchar_t* CopyOf(const std::wstring& text) {
  auto* copy = static_cast<wchar_t*>(std::calloc(text.size() + 1, sizeof(wchar_t)));
  std::wmemcpy(copy, text.c_str(), text.size());
  return copy;
}

hid_device_info* Info(const Attached& unit, unsigned short usagePage, hid_device_info* next) {
  auto* info = static_cast<hid_device_info*>(std::calloc(1, sizeof(hid_device_info)));
  info->path = strdup(unit.path.c_str());
  info->vendor_id = kUnitVendorId;
  info->product_id = kUnitProductId;
  info->serial_number = CopyOf(unit.serial);
  info->release_number = 0x0200;
  info->manufacturer_string = CopyOf(L"Tarnvik");
  info->product_string = CopyOf(L"Tarnvik digipeater");
  info->usage_page = usagePage;
  info->next = next;
  return info;
}

bool Matches(unsigned short vendor, unsigned short product) {
  return (vendor == 0 || vendor == kUnitVendorId) && (product == 0 || product == kUnitProductId);
}

}  // namespace

void HidapiDouble::plug(const std::string& path, std::shared_ptr<SimulatedUnit> unit, const std::string& serial) {
  const std::lock_guard lock(guard);
  attached.push_back({path, std::move(unit), Wide(serial)});
}

void HidapiDouble::pull(const std::string& path) {
  const std::lock_guard lock(guard);
  std::erase_if(attached, [&](const Attached& a) { return a.path == path; });
}

void HidapiDouble::reset() {
  const std::lock_guard lock(guard);
  attached.clear();
  listings = 0;
}

int HidapiDouble::enumerations() {
  const std::lock_guard lock(guard);
  return listings;
}

HidTransport::UnitLock HidapiOnDesk::lockUnit(const std::string& path) {
  const std::string node = nodeFolder_ + "/" + std::to_string(std::hash<std::string>()(path)) + ".node";
  std::ofstream(node, std::ios::app).flush();
  return HidapiTransport::lockUnit(node);
}

}  // namespace tarnvik::test

using tarnvik::test::Attached;

extern "C" {

int hid_init(void) { return 0; }
int hid_exit(void) { return 0; }

hid_device_info* hid_enumerate(unsigned short vendor_id, unsigned short product_id) {
  const std::lock_guard lock(tarnvik::test::guard);
  ++tarnvik::test::listings;
  if (!tarnvik::test::Matches(vendor_id, product_id)) return nullptr;
  hid_device_info* list = nullptr;
  for (auto unit = tarnvik::test::attached.rbegin(); unit != tarnvik::test::attached.rend(); ++unit)
    list = tarnvik::test::Info(*unit, 0xFF00, tarnvik::test::Info(*unit, 0x0001, list));
  return list;
}

void hid_free_enumeration(hid_device_info* devs) {
  while (devs != nullptr) {
    hid_device_info* next = devs->next;
    std::free(devs->path);
    std::free(devs->serial_number);
    std::free(devs->manufacturer_string);
    std::free(devs->product_string);
    std::free(devs);
    devs = next;
  }
}

hid_device* hid_open_path(const char* path) {
  const std::lock_guard lock(tarnvik::test::guard);
  const Attached* unit = tarnvik::test::Find(path);
  if (unit == nullptr) {
    tarnvik::test::lastError =
        L"Failed to open a device with path '" + tarnvik::test::Wide(path) + L"': No such device";
    return nullptr;
  }
  return new hid_device_{unit->unit, path, {}};
}

void hid_close(hid_device* dev) { delete dev; }

// A handle of a unit pulled out fails as hidraw's does.
static bool Gone(hid_device* dev) {
  const std::lock_guard lock(tarnvik::test::guard);
  if (tarnvik::test::Find(dev->path) != nullptr) return false;
  dev->error = L"device disconnected";
  return true;
}

int hid_write(hid_device* dev, const unsigned char* data, size_t length) {
  if (Gone(dev)) return -1;
  const tarnvik::HidTransfer sent = dev->unit->receive({data, length});
  if (sent.status != tarnvik::HidTransfer::Status::Done) {
    dev->error = tarnvik::test::Wide(sent.error);
    return -1;
  }
  return static_cast<int>(sent.length);
}

// hidapi hands over the report's bytes without its report id.
int hid_read_timeout(hid_device* dev, unsigned char* data, size_t length, int) {
  if (Gone(dev)) return -1;
  tarnvik::HidReport frame{};
  const tarnvik::HidTransfer got = dev->unit->deliver(frame);
  if (got.status == tarnvik::HidTransfer::Status::TimedOut) return 0;
  if (got.status != tarnvik::HidTransfer::Status::Done) {
    dev->error = tarnvik::test::Wide(got.error);
    return -1;
  }
  const std::size_t body = std::min(got.length > 0 ? got.length - 1 : 0, length);
  std::copy_n(frame.begin() + 1, body, data);
  return static_cast<int>(body);
}

const wchar_t* hid_error(hid_device* dev) {
  if (dev != nullptr) return dev->error.c_str();
  return tarnvik::test::lastError.c_str();
}

const char* hid_version_str(void) { return "0.13.1 (test double)"; }

}  // extern "C"
