#pragma once
// The window's menu bar, as one table: every entry with its menu, its text,
// its shortcut and what it runs. An entry that has a button in the frame runs
// exactly that button's handler, and the button is wired from the same row.
// New entries (another menu item, a button of a later version) are rows.

#include <functional>
#include <vector>

class QMenuBar;
class QWidget;

namespace tarnvik {

class Form1;

enum class Menu { File, Unit, Help };

struct FrameAction {
  const char* name;  // the action's object name
  Menu menu;
  const char* text;      // with its mnemonic
  const char* shortcut;  // portable text ("Ctrl+O"); nullptr: none
  const char* button;    // the frame's button that runs the same; nullptr: none
  std::function<void(Form1&)> run;
  bool separatorBefore = false;
  bool blockedWhileRunning = true;  // disabled while an operation runs
};

const std::vector<FrameAction>& FrameActions();

// The menus' titles, with their mnemonics, in menu bar order.
const char* MenuTitle(Menu menu);

}  // namespace tarnvik
