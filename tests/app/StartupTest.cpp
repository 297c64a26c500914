#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "app/Startup.h"

namespace tarnvik {
namespace {

bool SplashOnScreen() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == "SplashScreen" && widget->isVisible()) return true;
  return false;
}

// Watches start-up from outside: when the main window is first built, when it
// is first shown, and closes it as soon as it is shown.
class StartupWatch : public QObject {
 public:
  bool splashWhileBuilding = false;
  bool splashWhenShown = true;
  bool dialogCreatedHidden = false;
  qint64 shownAfterMs = -1;
  QElapsedTimer clock;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched->objectName() == "Form1" && event->type() == QEvent::ChildAdded && !building_) {
      building_ = true;
      splashWhileBuilding = SplashOnScreen();
    }
    if (watched->objectName() == "Form1" && event->type() == QEvent::Show) {
      splashWhenShown = SplashOnScreen();
      shownAfterMs = clock.elapsed();
      auto* form2 = static_cast<QWidget*>(watched)->findChild<QWidget*>("Form2");
      dialogCreatedHidden = form2 && !form2->isVisible();
      QTimer::singleShot(0, static_cast<QWidget*>(watched), &QWidget::close);
    }
    return false;
  }

 private:
  bool building_ = false;
};

TEST(Startup, SplashCoversTheBuildAndPauseThenTheWindowRunsUntilClosed) {
  StartupWatch watch;
  qApp->installEventFilter(&watch);
  watch.clock.start();
  const int exitCode = RunConfigurator(*qApp, std::chrono::milliseconds(300));
  qApp->removeEventFilter(&watch);
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(QApplication::applicationName(), "Tarnvik Configurator");
  EXPECT_TRUE(watch.splashWhileBuilding);
  EXPECT_FALSE(watch.splashWhenShown);
  EXPECT_TRUE(watch.dialogCreatedHidden);
  EXPECT_GE(watch.shownAfterMs, 300);
  EXPECT_FALSE(SplashOnScreen());
}

}  // namespace
}  // namespace tarnvik
