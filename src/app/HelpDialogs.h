#pragma once
// The Help menu's windows: the operator's manual (the README's parts about
// using the programs, see ManualText.h, built into the program so that it is
// there wherever the program is) and the About box
// with the versions the program runs with.

#include <QString>

class QWidget;

namespace tarnvik {

// The program's name and version, and the versions of Qt and of the HID
// library it runs with, as rich text.
QString AboutText();
void ShowAbout(QWidget& parent);

// Shows the manual in a window of its own, opened at `anchor` (a heading's
// anchor, empty for the start); one window, raised when shown again.
void ShowManual(QWidget& parent, const QString& anchor = {});

}  // namespace tarnvik
