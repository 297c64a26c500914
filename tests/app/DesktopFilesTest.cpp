// Files that come from the desktop: named on the command line (as a file
// manager or the menu entry's %f passes them) or dropped on the window. Each
// opens as Read from file opens the file chosen in its dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "app/CommandLine.h"
#include "app/Startup.h"
#include "image/ImageTestSupport.h"
#include "support/DeskWindow.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

namespace tarnvik {
namespace {

const std::string kOurs =
    "[!WARNING]\r\nApplication=Tarnvik Configurator\r\nVersion=v1.04\r\n[Radio]\r\nCallsign=SP9DSK\r\n";
// The unit's memory as a backup keeps it, its checksum spoilt when `damaged`.
std::string Image(const char* callsign, bool damaged) {
  DeviceSettings settings = test::FreshSettings();
  settings.setText("Callsign", callsign);
  ConfigImage image = test::EncodeOrFail(settings);
  if (damaged) image.bytes[100] ^= 1;
  return std::string(image.bytes.begin(), image.bytes.end());
}

const std::string kOlder =
    "[!WARNING]\r\nApplication=Tarnvik Configurator\r\nVersion=v1.03\r\n[Radio]\r\nCallsign=SP9OLD\r\n";

TEST(CommandLine, OneFileHelpVersionOrWhatIsWrong) {
  const struct {
    QStringList arguments;
    QString file;
    bool error;
    bool done;
    QString output;
  } cases[] = {
      {{}, "", false, false, ""},
      {{"unit1.cfg"}, "unit1.cfg", false, false, ""},
      {{"/tmp/a b/\u00e9t\u00e9.cfg"}, "/tmp/a b/\u00e9t\u00e9.cfg", false, false, ""},
      {{"--", "-odd.cfg"}, "-odd.cfg", false, false, ""},
      {{"a.cfg", "b.cfg"}, "", true, false, ""},
      {{"--bogus"}, "", true, false, ""},
      {{"--version"}, "", false, true, "Tarnvik Configurator v1.04\n"},
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(QStringList{"tarnvik-configurator"} + c.arguments);
    const std::string shown = c.arguments.join(' ').toStdString();
    EXPECT_EQ(line.file, c.file) << shown;
    EXPECT_EQ(!line.error.isEmpty(), c.error) << shown;
    EXPECT_EQ(line.done, c.done) << shown;
    EXPECT_EQ(line.output, c.output) << shown;
  }
  const CommandLine help = ParseCommandLine({"tarnvik-configurator", "--help"});
  EXPECT_TRUE(help.done);
  EXPECT_TRUE(help.output.contains("[FILE]")) << help.output.toStdString();
}

class DesktopFiles : public ::testing::Test {
 protected:
  std::string file(const char* name, const std::string& content) {
    const std::string path = folder.path(name);
    test::WriteAll(path, content);
    return path;
  }
  QString callsign() { return test::Find<QLineEdit>(desk.form, "Callsign").text(); }

  test::DeskWindow desk;
  test::TempFolder folder;
};

// The same checks and boxes as Read from file, and the dialog offers the
// file next; an image of the unit's memory is read as Read config reads one.
TEST_F(DesktopFiles, OpenedFileIsReadAsReadFromFileReadsIt) {
  const struct {
    const char* name;
    std::string content;
    std::vector<std::string> boxes;
    const char* callsign;
    const char* title;
  } cases[] = {
      {"ours.cfg", kOurs, {}, "SP9DSK", "ours.cfg - Tarnvik Configurator v1.04"},
      {"older.cfg",
       kOlder,
       {"Imported configuration file version is different than your current application version. \n"
        "Please double-check configuration fields after import. \n"
        "Some configuration fields my change between firmware versions."},
       "SP9OLD",
       "older.cfg - Tarnvik Configurator v1.04"},
      {"other.cfg",
       "[Section]\r\nkey=1\r\n",
       {"Imported configuration file is not a Tarnvik configuration file. \nOperation aborted."},
       "SP9OLD",
       "older.cfg - Tarnvik Configurator v1.04"},
      {"missing.cfg",
       "",
       {"Imported configuration file is not a Tarnvik configuration file. \nOperation aborted."},
       "SP9OLD",
       "older.cfg - Tarnvik Configurator v1.04"},
      {"backup.bin", Image("SP9IMG", false), {}, "SP9IMG", "backup.bin - Tarnvik Configurator v1.04"},
      {"damaged.bin",
       Image("SP9BAD", true),
       {"Eeprom checksum error. Please reload configuration."},
       "SP9IMG",
       "backup.bin - Tarnvik Configurator v1.04"},
  };
  for (const auto& c : cases) {
    desk.record.boxes.clear();
    const std::string path = c.content.empty() ? folder.path(c.name) : file(c.name, c.content);
    desk.form.openFile(QString::fromStdString(path));
    EXPECT_EQ(desk.record.boxTexts(), c.boxes) << c.name;
    EXPECT_EQ(callsign(), c.callsign) << c.name;
    EXPECT_EQ(desk.form.windowTitle(), c.title) << c.name;
    desk.click("Button2");  // cancelled; it offered the file last opened
    EXPECT_EQ(desk.record.fileRequests.back().defaultName, path) << c.name;
  }
  // File > Save never puts a configuration file over the image read last: it asks for a name.
  const std::string image = test::ReadAll(folder.path("backup.bin"));
  desk.trigger("ActionSave");  // cancelled
  EXPECT_EQ(desk.record.fileRequests.back().mode, FileRequest::Mode::Save);
  EXPECT_EQ(desk.record.fileRequests.back().defaultName, "tarnvik.cfg");
  EXPECT_EQ(test::ReadAll(folder.path("backup.bin")), image);
}

// A drop on any part of the window, a text field included, opens one file;
// text, several files or a drop while an operation runs are not taken.
TEST_F(DesktopFiles, DroppedFileOpensAndOtherDragsAreLeftAlone) {
  const QString ours = QString::fromStdString(file("dropped.cfg", kOurs));
  QLineEdit& message = test::Find<QLineEdit>(desk.form, "Beacon1_msg");
  const auto drop = [&](QWidget& target, QMimeData& data) {
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &dropped);
    QCoreApplication::processEvents();
    return enter.isAccepted();
  };
  QMimeData two;
  two.setUrls({QUrl::fromLocalFile(ours), QUrl::fromLocalFile(ours)});
  QMimeData web;
  web.setUrls({QUrl(QStringLiteral("https://example.org/x.cfg"))});
  EXPECT_FALSE(drop(message, two));
  EXPECT_FALSE(drop(message, web));
  QMimeData one;
  one.setUrls({QUrl::fromLocalFile(ours)});
  desk.form.runOperation([&] { EXPECT_FALSE(drop(message, one)); });
  EXPECT_EQ(callsign(), "NOCALL");
  EXPECT_TRUE(drop(message, one));
  EXPECT_EQ(callsign(), "SP9DSK");
  EXPECT_FALSE(message.text().contains("dropped")) << message.text().toStdString();  // the path was not typed in
  EXPECT_EQ(desk.form.windowTitle(), "dropped.cfg - Tarnvik Configurator v1.04");
}

// The whole way from the command line: the file is open once the window shows.
TEST(Startup, FileNamedOnTheCommandLineIsOpenOnceTheWindowShows) {
  const test::TempFolder folder;
  const std::string path = folder.path("start.cfg");
  test::WriteAll(path, kOurs);
  QString seen;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* form = qobject_cast<Form1*>(w); form && form->isVisible() && form->windowTitle().startsWith("start")) {
        seen = form->windowTitle() + " " + QString::fromStdString(form->settings().text("Callsign"));
        form->close();
      }
  });
  poll.start(20);
  QTimer::singleShot(10000, [] {
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
  });
  RunConfigurator(*qApp, std::chrono::milliseconds(0), QString::fromStdString(path));
  EXPECT_EQ(seen, "start.cfg - Tarnvik Configurator v1.04 SP9DSK");
}

}  // namespace
}  // namespace tarnvik
