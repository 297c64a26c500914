#pragma once
// The seven settings tabs of the main window, in their order, "Radio" shown
// first, each bound to the settings through the binder.

class QTabWidget;

namespace tarnvik {

class SettingsBinder;

void AddSettingsTabs(QTabWidget& pageControl, SettingsBinder& binder);

}  // namespace tarnvik
