// Takes a picture of the main window for every tab and every page of the
// "Telemetry reports" tab, so that the layout can be looked at on a real
// display: run under Xvfb by scripts/screenshots.sh, which names the folder.
// Each picture is taken of the whole screen by ImageMagick's import, as a
// person would see it.
#include <QApplication>
#include <QProcess>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

#include "app/Form1.h"

namespace {

bool Shoot(const QString& file) {
  QTest::qWait(200);
  const int status =
      QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
  if (status != 0) std::fprintf(stderr, "import failed for %s\n", qPrintable(file));
  return status == 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: window-screenshots FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  tarnvik::Form1 form;
  form.move(0, 0);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
  auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl2"));
  bool ok = true;
  for (int tab = 0; tab < tabs->count(); ++tab) {
    tabs->setCurrentIndex(tab);
    const int count = tabs->widget(tab)->isAncestorOf(pages) ? pages->count() : 1;
    for (int page = 0; page < count; ++page) {
      if (count > 1) pages->setCurrentIndex(page);
      ok = Shoot(QStringLiteral("%1/tab%2-page%3.png").arg(folder).arg(tab + 1).arg(page + 1)) && ok;
    }
  }
  return ok ? 0 : 1;
}
