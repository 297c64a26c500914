#include "device/UnitOnDesk.h"

#include "support/FreshSettings.h"

namespace tarnvik::test {

UnitOnDesk::UnitOnDesk() {
  transport.addOtherDevice("/dev/hidraw0", std::string("HID\\VID_046D&PID_C31C&REV_6400") + '\0');
  transport.addUnit("/dev/hidraw1", unit);
}

std::vector<std::string> PageLines(const std::string& prefix, int from, int to, int total) {
  std::vector<std::string> lines;
  for (int n = from; n <= to; ++n) lines.push_back(prefix + std::to_string(n) + "/" + std::to_string(total));
  return lines;
}

DeviceSettings UnitSettings() {
  DeviceSettings settings = FreshSettings();
  settings.setText("Callsign", "SP9ABC");
  settings.setText("Txdelay", "450");
  return settings;
}

std::vector<std::string> Lines(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

}  // namespace tarnvik::test
