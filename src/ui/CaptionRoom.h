#pragma once
// Room for a dialog's caption in its title bar. A window manager cuts a
// caption that is wider than the window ("File...rror"), and Qt sizes a
// message box by its text alone, so the program's dialogs make themselves
// wide enough for their caption.

class QMessageBox;
class QWidget;

namespace tarnvik {

// The width a window needs for its caption: the caption in a bold version of
// its font (title bars use a bold font; the real one is the window
// manager's) and room for the window's icon and buttons.
int CaptionWidth(const QWidget& window);

// Widens the box to at least CaptionWidth; call once its caption is set.
void MakeRoomForCaption(QMessageBox& box);

}  // namespace tarnvik
