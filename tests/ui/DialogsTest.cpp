#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>

#include "ui/CaptionRoom.h"
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

// In the main window's font, at least its classic size, wider where the
// lines or the caption need it.
TEST(SpecialStrings, CaptionPlaceAndTheSixLinesVerbatim) {
  QWidget mainWindow;
  QFont big = mainWindow.font();
  big.setPointSize(big.pointSize() + 3);
  mainWindow.setFont(big);
  Form2 dialog(&mainWindow);
  EXPECT_EQ(dialog.font(), big);
  EXPECT_EQ(dialog.windowTitle(), "Beacon special strings");
  EXPECT_GE(dialog.width(), 251);
  EXPECT_GE(dialog.height(), 116);
  EXPECT_GE(dialog.width(), CaptionWidth(dialog));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_EQ(dialog.pos(), QPoint(539, 321));
  QStringList lines;
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    lines << label->text();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width()) << label->text().toStdString();
    EXPECT_LE(label->geometry().right(), dialog.width()) << label->text().toStdString();
    EXPECT_LE(label->geometry().bottom(), dialog.height()) << label->text().toStdString();
  }
  EXPECT_EQ(lines, QStringList({"<date> - inserts current time in format: DDHHMM. ",
                                "<lat> - inserts latitude defined on  \"Radio\" Tab.",
                                "<long> - inserts longitude defined on  \"Radio\" Tab.",
                                "<volt> - inserts measured input voltage.",
                                "Example:", "@<date>z<lat>/<long>-Tarnvik Test."}));
}

TEST(Captions, MessageBoxesMakeRoomForTheirCaption) {
  for (const char* caption : {"File open error", "Tarnvik Configurator", "A caption far longer than its text"}) {
    QMessageBox box(QMessageBox::Information, QString::fromLatin1(caption), QStringLiteral("OK."), QMessageBox::Ok);
    MakeRoomForCaption(box);
    box.show();
    EXPECT_GE(box.width(), CaptionWidth(box)) << caption;
    EXPECT_GT(CaptionWidth(box), box.fontMetrics().horizontalAdvance(box.windowTitle())) << caption;
  }
}

}  // namespace
}  // namespace tarnvik
