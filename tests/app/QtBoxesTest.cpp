// The window's own boxes as Qt shows them, answered with the keys an
// operator uses: the questions' buttons have their Alt keys and a default
// that loses nothing, and a long message never makes a box taller than the
// screen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/LongBox.h"
#include "app/QtDialogs.h"
#include "app/WindowQuestions.h"

namespace tarnvik {
namespace {

// Runs `look` on the modal box once it shows.
void WhenShown(const std::function<void(QWidget&)>& look) {
  QTimer::singleShot(0, [look] {
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 2000));
    QWidget& box = *QApplication::activeModalWidget();
    box.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
    look(box);
  });
}

QStringList ButtonTexts(QWidget& box) {
  QStringList texts;
  for (QAbstractButton* button : static_cast<QMessageBox&>(box).buttons()) texts << button->text();
  texts.sort();
  return texts;
}

TEST(QtBoxes, QuestionsAnswerToTheirKeys) {
  QWidget parent;
  const auto unsaved = [&] { return static_cast<int>(AskUnsaved(parent, UnsavedMoment::Closing)); };
  const auto replace = [&] { return static_cast<int>(AskReplace(parent, "/tmp/unit1.cfg")); };
  const struct {
    std::function<int()> ask;
    int key;
    Qt::KeyboardModifiers modifiers;
    int answer;
  } cases[] = {
      {unsaved, Qt::Key_S, Qt::AltModifier, static_cast<int>(UnsavedAnswer::Save)},
      {unsaved, Qt::Key_D, Qt::AltModifier, static_cast<int>(UnsavedAnswer::Discard)},
      {unsaved, Qt::Key_Escape, Qt::NoModifier, static_cast<int>(UnsavedAnswer::Cancel)},
      {unsaved, Qt::Key_Return, Qt::NoModifier, static_cast<int>(UnsavedAnswer::Save)},
      {replace, Qt::Key_R, Qt::AltModifier, 1},
      {replace, Qt::Key_Return, Qt::NoModifier, 0},  // No is the default
      {replace, Qt::Key_Escape, Qt::NoModifier, 0},
  };
  for (const auto& c : cases) {
    QStringList buttons;
    WhenShown([&](QWidget& box) {
      buttons = ButtonTexts(box);
      QTest::keyClick(&box, static_cast<Qt::Key>(c.key), c.modifiers);
    });
    EXPECT_EQ(c.ask(), c.answer) << QKeySequence(c.key | c.modifiers).toString().toStdString();
    const bool isUnsaved = buttons.size() == 3;
    EXPECT_EQ(buttons, isUnsaved ? QStringList({"&Discard", "&Save", "Cancel"}) : QStringList({"&No", "&Replace"}));
  }
}

// A verify error over 36 pages: a short text, the pages in a scrolled area,
// the box within the screen. A short message stays a message box whose text
// can be selected.
TEST(QtBoxes, ALongMessageScrollsWithinTheScreen) {
  QWidget parent;
  QtDialogs dialogs(parent);
  std::string text = "Verify error: 36 pages of 64 differ from what was written:";
  for (int page = 1; page <= 36; ++page) text += "\nPage " + std::to_string(page) + ": bytes 0-31 differ (Callsign)";
  const int screenHeight = QGuiApplication::primaryScreen()->availableGeometry().height();
  QString shortText, details;
  int height = 0;
  WhenShown([&](QWidget& box) {
    auto& longBox = dynamic_cast<LongBox&>(box);
    shortText = longBox.shortText();
    details = longBox.details();
    height = box.frameGeometry().height();
    box.close();
  });
  dialogs.informationBox(text, "Information");
  EXPECT_EQ(shortText, "Verify error: 36 pages of 64 differ from what was written:");
  EXPECT_EQ(details.count('\n'), 35);
  EXPECT_TRUE(details.startsWith("Page 1: bytes 0-31 differ"));
  EXPECT_GT(height, 0);
  EXPECT_LE(height, screenHeight);

  Qt::TextInteractionFlags flags;
  WhenShown([&](QWidget& box) {
    flags = static_cast<QMessageBox&>(box).textInteractionFlags();
    box.close();
  });
  dialogs.informationBox("Verify success: 64 pages match.", "Information");
  EXPECT_TRUE(flags & Qt::TextSelectableByMouse);
}

}  // namespace
}  // namespace tarnvik
