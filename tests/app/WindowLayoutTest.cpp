// The window at the desktop's default font: every tab and telemetry page
// shown in turn, every control and text must stand whole inside its page,
// readable, and clear of its neighbours.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTest>

#include "app/Form1.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"
#include "ui/WrappingButton.h"

namespace tarnvik {
namespace {

// What part of the widget's own text stays hidden, if any.
std::string Clipped(QWidget& w) {
  const QFontMetrics m = w.fontMetrics();
  if (auto* label = qobject_cast<QLabel*>(&w)) {
    if (label->wordWrap()) return label->height() >= label->heightForWidth(label->width()) ? "" : "wrapped text";
    return label->width() >= m.horizontalAdvance(label->text()) && label->height() >= m.height() ? "" : "label";
  }
  if (auto* button = qobject_cast<QPushButton*>(&w)) {
    const auto* wrapping = qobject_cast<WrappingButton*>(button);
    const QSize need = m.size(Qt::TextShowMnemonic, wrapping ? wrapping->shownCaption() : button->text());
    return button->width() >= need.width() + 6 && button->height() >= need.height() + 4 ? "" : "caption";
  }
  if (auto* box = qobject_cast<QCheckBox*>(&w)) return box->width() >= box->sizeHint().width() ? "" : "check box";
  if (auto* list = qobject_cast<QComboBox*>(&w)) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    const int room =
        list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list).width();
    for (int i = 0; i < list->count(); ++i)
      if (m.horizontalAdvance(list->itemText(i)) > room - 2) return "entry " + list->itemText(i).toStdString();
    return "";
  }
  if (auto* field = qobject_cast<QLineEdit*>(&w))  // the start-up text, whole
    return m.horizontalAdvance(field->text()) <= field->width() - 7 ? "" : "text " + field->text().toStdString();
  return "";
}

class WindowLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }
  // Checks the page that is shown now.
  void checkPage(QWidget& page) {
    QCoreApplication::processEvents();
    std::vector<QWidget*> shown;
    for (QWidget* w : page.findChildren<QWidget*>()) {
      const bool item = qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                        qobject_cast<QCheckBox*>(w) || qobject_cast<QPushButton*>(w);
      if (!item || !w->isVisible() || qobject_cast<QTabWidget*>(w->parentWidget())) continue;
      const std::string name =
          (w->objectName().isEmpty() ? w->property("text").toString() : w->objectName()).toStdString();
      const QRect where(w->mapTo(&page, QPoint(0, 0)), w->size());
      EXPECT_TRUE(page.rect().contains(where)) << name << " sticks out of " << page.objectName().toStdString();
      EXPECT_EQ(Clipped(*w), "") << name;
      for (QWidget* other : shown)
        EXPECT_FALSE(QRect(other->mapTo(&page, QPoint(0, 0)), other->size()).intersects(where))
            << name << " overlaps " << other->objectName().toStdString()
            << other->property("text").toString().toStdString();
      shown.push_back(w);
    }
    EXPECT_GT(shown.size(), 3u) << page.objectName().toStdString();
  }

  test::RecordingOperator record;
  Form1 form{{test::TestClock(), &record}};
};

TEST_F(WindowLayout, FrameKeepsItsSizeAndItsCaptionsWhole) {
  EXPECT_EQ(form.centralWidget()->size(), QSize(734, 419));
  EXPECT_EQ(form.findChild<QTabWidget*>("PageControl1")->size(), QSize(721, 249));
  for (const char* name : {"Button1", "Button2", "Button3", "Button4", "Button5"})
    EXPECT_EQ(Clipped(*form.findChild<QPushButton*>(name)), "") << name;
  for (const char* name : {"GroupBox1", "GroupBox3"}) {
    auto* group = form.findChild<QWidget*>(name);
    EXPECT_LE(group->minimumSizeHint().width(), group->width()) << name;
  }
}

TEST_F(WindowLayout, EveryTabAndPageShowsItsControlsWholeAndApart) {
  auto* tabs = form.findChild<QTabWidget*>("PageControl1");
  auto* pages = form.findChild<QTabWidget*>("PageControl2");
  for (int tab = 0; tab < tabs->count(); ++tab) {
    tabs->setCurrentIndex(tab);
    if (!tabs->widget(tab)->isAncestorOf(pages)) {
      checkPage(*tabs->widget(tab));
      continue;
    }
    for (int page = 0; page < pages->count(); ++page) {
      pages->setCurrentIndex(page);
      checkPage(*pages->widget(page));
    }
  }
}

TEST_F(WindowLayout, ColumnsLineUp) {
  const auto left = [&](const char* name) { return form.findChild<QWidget*>(name)->x(); };
  for (int n = 2; n <= 8; ++n) {
    const std::string beacon = "Beacon" + std::to_string(n);
    EXPECT_EQ(left((beacon + "_msg").c_str()), left("Beacon1_msg"));
    EXPECT_EQ(left((beacon + "_txrate_rf").c_str()), left("Beacon1_txrate_rf"));
  }
  EXPECT_EQ(left("Teledata_path_string"), left("Teleparams_path_string"));
  EXPECT_EQ(left("Teleanalog5_coefc"), left("Teleanalog1_coefc"));
  EXPECT_EQ(left("Txdelay"), left("Consecutive_packets"));
}

}  // namespace
}  // namespace tarnvik
