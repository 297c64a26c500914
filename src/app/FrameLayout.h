#pragma once
// Geometry of the main window's frame, in pixels. Controls inside a group
// are placed relative to the group.

namespace tarnvik::frame {

inline constexpr int kClientWidth = 734;
inline constexpr int kClientHeight = 419;

struct Place {
  const char* name;
  const char* caption;
  const char* parent;  // nullptr: the window itself
  int left, top, width, height;
};

inline constexpr Place kGroups[] = {
    {"GroupBox3", "Connection:", nullptr, 8, 8, 321, 49},
    {"GroupBox1", "Configuration import/export:", nullptr, 336, 8, 209, 49},
};

// In tab order. The buttons are wider than in the classic 8-point layout so
// that their captions stay whole at the desktop's usual 9-point font; the
// groups keep their size. Each caption carries a mnemonic (Alt and the
// underlined letter) that no menu title and no other button uses: the menu
// bar keeps the desktop's usual Alt+F (File) and Alt+U (Unit).
inline constexpr Place kButtons[] = {
    {"Button4", "&Read config", "GroupBox3", 6, 14, 97, 25},
    {"Button5", "&Write config", "GroupBox3", 106, 14, 97, 25},
    {"Button3", "U&pload firmware", "GroupBox3", 206, 14, 109, 25},
    {"Button1", "&Save to file", "GroupBox1", 6, 16, 97, 25},
    {"Button2", "Read fr&om file", "GroupBox1", 106, 16, 97, 25},
};

inline constexpr Place kPageControl{"PageControl1", nullptr, nullptr, 8, 64, 721, 249};
inline constexpr Place kMemo{"Memo1", nullptr, nullptr, 8, 320, 721, 73};
inline constexpr Place kProgressBar{"ProgressBar1", nullptr, nullptr, 0, 399, 734, 20};
inline constexpr Place kLogo{"Image1", nullptr, nullptr, 552, 12, 169, 41};

}  // namespace tarnvik::frame
