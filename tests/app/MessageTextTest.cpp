// How the window shows a message that names a file: the program's texts are
// ISO 8859-1, the file name is the file system's bytes in the system's
// file-name encoding, so neither may be read by the other's rule.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/Form1.h"
#include "app/QtDialogs.h"
#include "core/OperationError.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"
#include "ui/ShownText.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

// Qt's own message boxes, with the file dialog answered by the test.
class BoxesOnly : public QtDialogs {
 public:
  BoxesOnly(QWidget& parent, std::string answer) : QtDialogs(parent), answer_(std::move(answer)) {}
  std::optional<std::string> chooseFile(const FileRequest&) override { return answer_; }

 private:
  std::string answer_;
};

// Closes the next message box that opens and keeps its text.
class BoxReader {
 public:
  BoxReader() {
    QTimer::singleShot(0, [this] { look(); });
  }
  const QString& text() const { return text_; }

 private:
  void look() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (box == nullptr || !box->isVisible()) continue;
      text_ = box->text();
      box->accept();
      return;
    }
    if (++tries_ < 200) QTimer::singleShot(10, [this] { look(); });
  }
  QString text_;
  int tries_ = 0;
};

// The core hands the name over apart from the texts around it.
TEST(MessageText, SaveErrorKeepsTheFileNameApart) {
  test::RecordingOperator record;
  Form1 form{{test::TestClock(), &record}};
  const fs::path dir = fs::temp_directory_path() / ("tarnvik-names-" + std::to_string(::getpid()));
  const std::string target = (dir / "nonexistent-\xc3\xa9t\xc3\xa9" / "x.cfg").string();
  record.answerFile(target);
  QTest::mouseClick(form.findChild<QPushButton*>("Button1"), Qt::LeftButton);
  ASSERT_EQ(record.fileMessages.size(), 1u);
  EXPECT_EQ(record.fileMessages[0].before, "Unable to write to ");
  EXPECT_EQ(record.fileMessages[0].fileName, target);
  EXPECT_EQ(record.fileMessages[0].after, ".\nNo such file or directory.");
  EXPECT_EQ(record.boxTexts(),
            std::vector<std::string>{"Unable to write to " + target + ".\nNo such file or directory."});
}

TEST(MessageText, EachPartIsDecodedByItsOwnRule) {
  const FileMessage message{"caf\xe9 ", "/tmp/\xc3\xa9t\xc3\xa9", " \xb0"};
  EXPECT_EQ(ShownText(message), QStringLiteral(u"caf\u00e9 /tmp/\u00e9t\u00e9 \u00b0"));
  EXPECT_EQ(ShownError(FileWriteError("/\xc3\xa9")), QStringLiteral(u"Unable to write to /\u00e9"));
  EXPECT_EQ(ShownError(ConversionError("\xe9")), QStringLiteral(u"'\u00e9' is not a valid integer value"));
}

TEST(MessageText, FileNameInTheErrorBoxIsShownInTheFileNameEncoding) {
  const fs::path dir = fs::temp_directory_path() / ("tarnvik-names-" + std::to_string(::getpid()));
  const std::string target = (dir / "nonexistent-\xc3\xa9t\xc3\xa9" / "x.cfg").string();  // UTF-8 bytes
  QWidget parent;
  BoxesOnly dialogs(parent, target);
  Form1 form{{test::TestClock(), &dialogs}};
  form.show();
  const BoxReader reader;
  QTest::mouseClick(form.findChild<QPushButton*>("Button1"), Qt::LeftButton);
  const QString expected = QStringLiteral("Unable to write to ") + QFile::decodeName(target.c_str()) +
                           QStringLiteral(".\nNo such file or directory.");
  EXPECT_EQ(reader.text(), expected);
  EXPECT_TRUE(reader.text().contains(QStringLiteral("nonexistent-\u00e9t\u00e9/x.cfg"))) << reader.text().toStdString();
}

}  // namespace
}  // namespace tarnvik
