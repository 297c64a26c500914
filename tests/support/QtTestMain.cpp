// main() of the test programs that drive widgets: one QApplication for all
// tests, on the offscreen platform unless another one is asked for. The
// user's data and settings folders are folders of the run's own, so that the
// backups the window makes before each Write config, and the size, place and
// recent files a window started as the program starts it keeps, never land
// among the user's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QTemporaryDir data;
  if (!data.isValid()) return 1;
  qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
  qputenv("LOCALAPPDATA", QFile::encodeName(data.path()));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(data.path()));  // the window's memory file
  qputenv("APPDATA", QFile::encodeName(data.path()));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
