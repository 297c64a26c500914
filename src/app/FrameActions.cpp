#include "app/FrameActions.h"

#include "app/Form1.h"

namespace tarnvik {

const std::vector<FrameAction>& FrameActions() {
  static const std::vector<FrameAction> table = {
      {"ActionReadFromFile", Menu::File, "&Read from file...", "Ctrl+O", "Button2", &Form1::readFromFile},
      {"ActionSave", Menu::File, "&Save", "Ctrl+S", nullptr, &Form1::save},
      {"ActionSaveToFile", Menu::File, "Save &to file...", "Ctrl+Shift+S", "Button1", &Form1::saveToFile},
      {"ActionCompareWithFile", Menu::File, "&Compare with file...", nullptr, nullptr, &Form1::compareWithFile, true},
      {"ActionOpenBackups", Menu::File, "Open &backups folder", nullptr, nullptr, &Form1::openBackupsFolder},
      {"ActionQuit", Menu::File, "&Quit", "Ctrl+Q", nullptr, [](Form1& form) { form.close(); }, true},
      {"ActionReadConfig", Menu::Unit, "&Read config", nullptr, "Button4", &Form1::readConfig},
      {"ActionWriteConfig", Menu::Unit, "&Write config", nullptr, "Button5", &Form1::writeConfig},
      {"ActionCompareWithUnit", Menu::Unit, "&Compare with unit...", nullptr, nullptr, &Form1::compareWithUnit},
      {"ActionUploadFirmware", Menu::Unit, "&Upload firmware...", nullptr, "Button3", &Form1::uploadFirmware},
      {"ActionFirmwareVersion", Menu::Unit, "&Firmware version", nullptr, nullptr, &Form1::showFirmwareVersion, true},
      {"ActionManual", Menu::Help, "&Manual", "F1", nullptr, &Form1::showManual, false, false},
      {"ActionAbout", Menu::Help, "&About Tarnvik Configurator", nullptr, nullptr, &Form1::showAbout, true, false},
      {"ActionAboutQt", Menu::Help, "About &Qt", nullptr, nullptr, &Form1::showAboutQt, false, false},
  };
  return table;
}

const char* MenuTitle(Menu menu) {
  switch (menu) {
    case Menu::File: return "&File";
    case Menu::Unit: return "&Unit";
    case Menu::Help: return "&Help";
  }
  return "";
}

}  // namespace tarnvik
