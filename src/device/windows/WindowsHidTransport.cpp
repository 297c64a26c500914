#include "device/windows/WindowsHidTransport.h"

#include <windows.h>
// The setup API and the HID headers need windows.h first. MinGW-w64's HID
// headers declare C functions without saying so to a C++ compiler.
extern "C" {
#include <hidsdi.h>
}
#include <setupapi.h>
#include <winver.h>

#include <cwchar>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "device/windows/SystemError.h"
#include "device/windows/WideText.h"
#include "device/windows/WindowsHidConnection.h"
#include "device/windows/WindowsHidFraming.h"

namespace tarnvik::winhid {

namespace {

std::u16string_view AsUtf16(const wchar_t* text, std::size_t length) {
  return {reinterpret_cast<const char16_t*>(text), length};
}

// The device information set of the HID class's interfaces present now,
// destroyed with the object.
class HidInterfaceSet {
 public:
  HidInterfaceSet() {
    HidD_GetHidGuid(&guid_);
    set_ = SetupDiGetClassDevsW(&guid_, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  }
  ~HidInterfaceSet() {
    if (valid()) SetupDiDestroyDeviceInfoList(set_);
  }
  HidInterfaceSet(const HidInterfaceSet&) = delete;
  HidInterfaceSet& operator=(const HidInterfaceSet&) = delete;

  bool valid() const { return set_ != INVALID_HANDLE_VALUE; }

  // The device at `index`; nothing past the last one.
  std::optional<SP_DEVINFO_DATA> device(DWORD index) const {
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    if (!SetupDiEnumDeviceInfo(set_, index, &device)) return std::nullopt;
    return device;
  }

  // The device's hardware identifiers (a multi-string), as the link reads them.
  std::string hardwareIds(SP_DEVINFO_DATA& device) const {
    DWORD type = 0;
    DWORD needed = 0;
    SetupDiGetDeviceRegistryPropertyW(set_, &device, SPDRP_HARDWAREID, &type, nullptr, 0, &needed);
    if (needed == 0) return {};
    std::vector<wchar_t> value(needed / sizeof(wchar_t) + 1, L'\0');
    if (!SetupDiGetDeviceRegistryPropertyW(set_, &device, SPDRP_HARDWAREID, &type,
                                           reinterpret_cast<BYTE*>(value.data()), needed, &needed) ||
        type != REG_MULTI_SZ)
      return {};
    return HardwareIdsFromMultiString(AsUtf16(value.data(), needed / sizeof(wchar_t)));
  }

  // The paths of the device's HID interfaces (one per top-level collection).
  std::vector<std::string> paths(SP_DEVINFO_DATA& device) const {
    std::vector<std::string> found;
    SP_DEVICE_INTERFACE_DATA iface{};
    iface.cbSize = sizeof iface;
    for (DWORD i = 0; SetupDiEnumDeviceInterfaces(set_, &device, &guid_, i, &iface); ++i)
      if (std::optional<std::string> path = this->path(iface)) found.push_back(std::move(*path));
    return found;
  }

 private:
  std::optional<std::string> path(SP_DEVICE_INTERFACE_DATA& iface) const {
    DWORD needed = 0;
    SetupDiGetDeviceInterfaceDetailW(set_, &iface, nullptr, 0, &needed, nullptr);
    if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return std::nullopt;
    // Aligned for the structure the call fills in, zeroed, and longer than
    // the call writes: the path always ends with a zero.
    std::vector<DWORD> storage(needed / sizeof(DWORD) + 1);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set_, &iface, detail, needed, nullptr, nullptr)) return std::nullopt;
    const wchar_t* const path = detail->DevicePath;
    return Utf8FromUtf16(AsUtf16(path, std::wcslen(path)));
  }

  GUID guid_{};
  HDEVINFO set_ = INVALID_HANDLE_VALUE;
};

struct ReportLengths {
  std::size_t input = 0;  // 0: the device did not say
  std::size_t output = 0;
};

ReportLengths LengthsOf(HANDLE device) {
  ReportLengths lengths;
  PHIDP_PREPARSED_DATA preparsed = nullptr;
  if (!HidD_GetPreparsedData(device, &preparsed)) return lengths;
  HIDP_CAPS caps{};
  if (HidP_GetCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS) {
    lengths.input = caps.InputReportByteLength;
    lengths.output = caps.OutputReportByteLength;
  }
  HidD_FreePreparsedData(preparsed);
  return lengths;
}

// The device's serial number; empty when it tells none. Opened with no
// access rights, which another program that has the unit open does not
// refuse: the driver answers from what it read when the unit was plugged in.
std::string SerialOf(const std::string& path) {
  const std::u16string wide = Utf16FromUtf8(path);
  const HANDLE device = CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (device == INVALID_HANDLE_VALUE) return {};
  wchar_t serial[128] = {};  // a USB string holds at most 126 characters
  const bool told = HidD_GetSerialNumberString(device, serial, sizeof serial);
  CloseHandle(device);
  return told ? SerialFromUtf16(AsUtf16(serial, std::size(serial))) : std::string();
}

}  // namespace

WindowsHidTransport::WindowsHidTransport(Filter filter) : filter_(std::move(filter)) {}

WindowsHidTransport::Filter WindowsHidTransport::DefaultFilter() { return MatchesTarnvik; }

std::vector<HidInterface> WindowsHidTransport::enumerate() {
  std::vector<HidInterface> present;
  const HidInterfaceSet set;
  if (!set.valid()) return present;
  for (DWORD index = 0;; ++index) {
    std::optional<SP_DEVINFO_DATA> device = set.device(index);
    if (!device) break;
    const std::string ids = set.hardwareIds(*device);
    if (ids.empty() || !filter_(ids)) continue;
    for (std::string& path : set.paths(*device)) {
      std::string serial = SerialOf(path);
      present.push_back({std::move(path), ids, std::move(serial)});
    }
  }
  return present;
}

HidTransport::Opened WindowsHidTransport::open(const std::string& path) {
  const std::u16string wide = Utf16FromUtf8(path);
  const HANDLE device =
      CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()), GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (device == INVALID_HANDLE_VALUE) return {nullptr, DescribeOpenFailure(path, LastSystemError())};
  const ReportLengths lengths = LengthsOf(device);
  // Reports the driver queued before this program took the unit answer
  // nobody's request now.
  HidD_FlushQueue(device);
  return {std::make_unique<WindowsHidConnection>(device, lengths.input, lengths.output), {}};
}

std::string WindowsHidVersion() {
  std::wstring dll(MAX_PATH, L'\0');
  dll.resize(GetSystemDirectoryW(dll.data(), MAX_PATH));
  dll += L"\\hid.dll";
  DWORD ignored = 0;
  std::vector<BYTE> info(GetFileVersionInfoSizeW(dll.c_str(), &ignored));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (info.empty() || !GetFileVersionInfoW(dll.c_str(), 0, static_cast<DWORD>(info.size()), info.data()) ||
      !VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof *fixed)
    return "Windows HID (hid.dll)";
  return "Windows HID (hid.dll " + std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
         std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." + std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
         std::to_string(LOWORD(fixed->dwFileVersionLS)) + ")";
}

}  // namespace tarnvik::winhid
