#pragma once
// The one-line text field of a text setting. The unit keeps its texts as
// 8-bit ISO 8859-1 characters, so the field takes only characters it can
// hold: a character outside ISO 8859-1, or a control character (which the
// unit cannot show and which would break a line of the configuration file),
// is refused when typed, pasted or dropped, never replaced. Typing or pasting
// beyond the setting's length limit is refused too, while a longer text the
// program puts into the field (an imported file, a decoded image) is shown
// whole: an edit is refused only when it would add to what the field already
// holds past the limit or add a character that cannot be held.

#include <QLineEdit>
#include <string>

namespace tarnvik {

class SettingField : public QLineEdit {
  Q_OBJECT
 public:
  SettingField(int maxLength, QWidget* parent = nullptr);

  // Shows a text the program set, whole and from its start.
  void showProgramText(const std::string& text);
  // The field's text as the setting holds it.
  std::string settingText() const;
  int limit() const { return limit_; }

 private:
  class TypingRule;
  int limit_;
  TypingRule* rule_;
};

// Whether the unit can hold this character in a text setting: printable
// ISO 8859-1, that is U+0020 to U+007E and U+00A0 to U+00FF.
bool IsHoldable(QChar c);

}  // namespace tarnvik
