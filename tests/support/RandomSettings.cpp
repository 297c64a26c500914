#include "support/RandomSettings.h"

#include <string>

#include "image/ImageFields.h"
#include "image/ImageLayout.h"
#include "settings/Reactions.h"
#include "support/FreshSettings.h"

namespace tarnvik::test {

namespace {

class Maker {
 public:
  Maker(std::mt19937& rng, RandomTexts texts) : rng_(rng), texts_(texts) {}

  void fill(DeviceSettings& s) {
    for (const SettingDefinition& d : SettingsTable()) {
      if (d.kind == SettingKind::Choice) s.setChoice(d.name, upTo(static_cast<int>(d.choices->size())) - 1);
      if (d.kind == SettingKind::Flag) s.setFlag(d.name, chance(2));
    }
    for (const ImageField& field : ImageFields()) fill(s, field);
    roles(s);
  }

 private:
  int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  int upTo(int high) { return between(0, high); }
  bool chance(int oneIn) { return upTo(oneIn - 1) == 0; }

  void fill(DeviceSettings& s, const ImageField& field) {
    switch (field.kind) {
      case FieldKind::StationAddress:
        s.setText(field.setting, callsign(1));
        s.setText(field.ssidSetting, number(upTo(15)));
        break;
      case FieldKind::Number: s.setText(field.setting, numberFor(field)); break;
      case FieldKind::Text: s.setText(field.setting, text(field)); break;
      case FieldKind::Position: s.setText(field.setting, position(field)); break;
      case FieldKind::Address: address(s, field); break;
      case FieldKind::FilterEntry:
        s.setText(field.setting, callsign(0));
        s.setText(field.ssidSetting, chance(3) ? "*" : number(upTo(15)));
        break;
      default: break;  // choices and flags: filled from the settings table
    }
  }

  void address(DeviceSettings& s, const ImageField& field) {
    const std::string call = callsign(field.destination ? 1 : 0);
    s.setText(field.setting, call);
    static const char* const kUnread[] = {"x", "", "99", "-1"};
    s.setText(field.ssidSetting, call.empty() && chance(2) ? kUnread[upTo(3)] : number(upTo(15)));
  }

  // Plain, with leading zeros, or with a plus sign.
  std::string number(long long value) {
    const std::string digits = std::to_string(value);
    if (value < 0 || chance(2)) return digits;
    return chance(2) ? std::string(static_cast<std::size_t>(between(1, 3)), '0') + digits : "+" + digits;
  }

  // A value the field's check passes; a u8 or u16 field may get one of the
  // values it cuts to that.
  std::string numberFor(const ImageField& field) {
    if (field.check == NumberCheck::None) return number(between(-100000, 100000));
    long long value = field.check == NumberCheck::TxRate && chance(4) ? 0 : between(int(field.low), int(field.high));
    if (field.check != NumberCheck::Converted && field.pos.size < 4 && chance(5))
      value += (1LL << (8 * field.pos.size)) * between(1, 3);
    return number(value);
  }

  std::string callsign(int minimum) {
    static const std::string kUsual = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string call(static_cast<std::size_t>(between(minimum, int(layout::kCallsignChars))), ' ');
    for (char& c : call) c = chance(8) ? anyByte() : kUsual[static_cast<std::size_t>(upTo(int(kUsual.size()) - 1))];
    // Blanks alone pass as a destination but read back as none, which the
    // encoder then refuses; paths may be blanks alone.
    if (minimum > 0 && call.find_first_not_of(' ') == std::string::npos) call.back() = 'X';
    return fileSafe(call);
  }

  std::string text(const ImageField& field) {
    std::string out(static_cast<std::size_t>(upTo(int(field.maxChars))), ' ');
    for (char& c : out) c = field.printableOnly ? static_cast<char>(between(32, 126)) : anyByte();
    return fileSafe(out);
  }

  std::string position(const ImageField& field) {
    std::string out;
    for (std::size_t i = 0; i < field.positionDigits; ++i) out += digit();
    out += '.';
    out += digit();
    out += digit();
    out += field.hemispheres[static_cast<std::size_t>(upTo(1))];
    return out;
  }

  char digit() { return static_cast<char>('0' + upTo(9)); }
  // Any byte but NUL, and no line break where the file must keep the text.
  char anyByte() {
    for (;;) {
      const char c = static_cast<char>(between(1, 255));
      if (!texts_.fileSafe || (c != '\r' && c != '\n')) return c;
    }
  }

  // No blank at either end and no enclosing quotes, where asked for.
  std::string fileSafe(std::string text) const {
    if (!texts_.fileSafe || text.empty()) return text;
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; };
    if (blank(text.front())) text.front() = 'F';
    if (blank(text.back())) text.back() = 'L';
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
      text.back() = 'Q';
    return text;
  }

  // Picked as the operator would pick them: port 1, its rule, port 2, its
  // rule; then once more with the outcome, so that the rules have settled
  // (a load or decode runs them again).
  void roles(DeviceSettings& s) {
    const int count = static_cast<int>(DeviceSettings::definition("Serial1_mode").choices->size());
    int port1 = upTo(count) - 1, port2 = upTo(count) - 1;
    for (int pass = 0; pass < 2; ++pass) {
      s.setChoice("Serial1_mode", port1);
      Serial1_modeChange(s);
      s.setChoice("Serial2_mode", port2);
      Serial2_modeChange(s);
      port1 = s.choice("Serial1_mode");
      port2 = s.choice("Serial2_mode");
    }
  }

  std::mt19937& rng_;
  RandomTexts texts_;
};

}  // namespace

DeviceSettings RandomValidSettings(std::mt19937& rng, RandomTexts texts) {
  DeviceSettings s = FreshSettings();
  Maker(rng, texts).fill(s);
  return s;
}

}  // namespace tarnvik::test
