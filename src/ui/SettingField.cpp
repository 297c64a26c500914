#include "ui/SettingField.h"

#include <QValidator>
#include <algorithm>

#include "ui/ShownText.h"

namespace tarnvik {

namespace {

qsizetype Unholdable(const QString& text) {
  return std::ranges::count_if(text, [](QChar c) { return !IsHoldable(c); });
}

}  // namespace

// Judges each change of the field against the text it held before the change
// (the last text accepted), so that only what an edit adds is refused.
class SettingField::TypingRule : public QValidator {
 public:
  TypingRule(int limit, QLineEdit& field) : QValidator(&field), limit_(limit) {
    connect(&field, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
  }
  // A text the program is about to show is accepted as it stands.
  void accept(const QString& text) { accepted_ = text; }

  State validate(QString& input, int&) const override {
    if (Unholdable(input) > Unholdable(accepted_)) return Invalid;
    if (input.size() > limit_ && input.size() > accepted_.size()) return Invalid;
    return Acceptable;
  }

 private:
  int limit_;
  QString accepted_;
};

bool IsHoldable(QChar c) {
  const char16_t u = c.unicode();
  return (u >= 0x20 && u <= 0x7E) || (u >= 0xA0 && u <= 0xFF);
}

SettingField::SettingField(int maxLength, QWidget* parent)
    : QLineEdit(parent), limit_(maxLength), rule_(new TypingRule(maxLength, *this)) {
  // No QLineEdit length limit: it would cut a longer text the program sets.
  setValidator(rule_);
}

void SettingField::showProgramText(const std::string& text) {
  const QString shown = ShownText(text);
  rule_->accept(shown);
  setText(shown);
  setCursorPosition(0);
}

std::string SettingField::settingText() const {
  const QByteArray bytes = text().toLatin1();
  return std::string(bytes.constData(), std::size_t(bytes.size()));
}

}  // namespace tarnvik
