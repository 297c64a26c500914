#include <gtest/gtest.h>

#include <QLabel>

#include "ui/Form2.h"
#include "ui/SplashScreen.h"

namespace tarnvik {
namespace {

TEST(SplashScreen, BorderlessOnTopAndSquare) {
  SplashScreen splash;
  EXPECT_EQ(splash.size(), QSize(254, 254));
  EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(splash.pixmap().size(), QSize(254, 254));
  splash.showAndPaint();
  EXPECT_TRUE(splash.isVisible());
}

TEST(SpecialStrings, CaptionPlaceAndTheSixLinesVerbatim) {
  Form2 dialog;
  EXPECT_EQ(dialog.windowTitle(), "Beacon special strings");
  EXPECT_EQ(dialog.size(), QSize(251, 116));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_EQ(dialog.pos(), QPoint(539, 321));
  QStringList lines;
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    lines << label->text();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), dialog.width() - label->x())
        << label->text().toStdString();
  }
  EXPECT_EQ(lines, QStringList({"<date> - inserts current time in format: DDHHMM. ",
                                "<lat> - inserts latitude defined on  \"Radio\" Tab.",
                                "<long> - inserts longitude defined on  \"Radio\" Tab.",
                                "<volt> - inserts measured input voltage.",
                                "Example:", "@<date>z<lat>/<long>-Tarnvik Test."}));
}

}  // namespace
}  // namespace tarnvik
