// A transfer against a unit that answers at once: the window repaints its
// log and progress bar at most once every 15 ms, not once per page, and its
// own thread stays nearly idle while the worker talks to the unit.
#include <gtest/gtest.h>
#include <time.h>

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <random>

#include "app/WorkerOperator.h"
#include "image/ImageTestSupport.h"
#include "support/DeskWindow.h"
#include "support/RandomSettings.h"

namespace tarnvik {
namespace {

class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

TEST(Repaint, ReadAndWriteConfigRepaintAtMostOnceEvery15Ms) {
  std::mt19937 rng(18);
  for (int round = 0; round < 3; ++round) {
    test::DeskWindow desk;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&desk.form));
    desk.unit->setMemory(test::EncodeOrFail(test::RandomValidSettings(rng)));
    auto* memo = desk.form.findChild<QPlainTextEdit*>("Memo1");
    auto* bar = desk.form.findChild<QProgressBar*>("ProgressBar1");
    QCoreApplication::processEvents();
    PaintCounter log(*memo->viewport()), progress(*bar);
    QElapsedTimer wall;
    wall.start();
    const double cpu = ThreadCpuMs();
    desk.click(round == 2 ? "Button5" : "Button4");
    QCoreApplication::processEvents();
    const double uiMs = ThreadCpuMs() - cpu;
    const qint64 elapsed = wall.elapsed();
    EXPECT_EQ(memo->toPlainText().count('\n'), round == 2 ? 195 : 66);  // a write backs up and reads back
    // One batch per 15 ms, one before the version box and one at the end,
    // each painted once (a paint may also follow the box closing).
    const int allowed = 4 + static_cast<int>(elapsed / kRepaintIntervalMs);
    EXPECT_LE(log.paints, allowed) << elapsed << " ms";
    EXPECT_LE(progress.paints, allowed) << elapsed << " ms";
    EXPECT_GT(log.paints, 0);
    ::testing::Test::RecordProperty("ui_cpu_us_round" + std::to_string(round), static_cast<int>(uiMs * 1000));
    std::printf("round %d: %lld ms, UI thread %.2f ms CPU, log %d paints, bar %d paints\n", round,
                static_cast<long long>(elapsed), uiMs, log.paints, progress.paints);
  }
}

}  // namespace
}  // namespace tarnvik
