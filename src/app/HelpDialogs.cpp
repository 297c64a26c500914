#include "app/HelpDialogs.h"

#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/ManualText.h"
#include "core/AppInfo.h"
#include "device/backends/TransportChoice.h"
#include "ui/Artwork.h"
#include "ui/CaptionRoom.h"

namespace tarnvik {

namespace {

constexpr const char* kReadme = ":/manual/README.md";

QString ReadmeText() {
  QFile file(QString::fromLatin1(kReadme));
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QDialog* MakeManual(QWidget& parent) {
  auto* window = new QDialog(&parent, Qt::Window);
  window->setObjectName(QStringLiteral("Manual"));
  window->setWindowTitle(QString::fromLatin1(kAppTitle) + QStringLiteral(" manual"));
  auto* text = new QTextBrowser(window);
  text->setObjectName(QStringLiteral("ManualText"));
  text->setOpenExternalLinks(true);
  text->document()->setBaseUrl(QUrl(QStringLiteral("qrc:/manual/")));  // for its picture
  text->setMarkdown(OperatorManual(ReadmeText()));
  auto* column = new QVBoxLayout(window);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(text);
  window->resize(760, 560);
  return window;
}

}  // namespace

QString AboutText() {
  return QStringLiteral(
             "<p><b>%1</b></p><p>Edits every setting of the Tarnvik APRS digipeater and telemetry unit "
             "and moves them between the unit and files.</p><p>Qt %2<br>%3</p>")
      .arg(QString::fromLatin1(MainWindowCaption()), QString::fromLatin1(qVersion()),
           QString::fromStdString(HidLibraryVersion()).toHtmlEscaped());
}

void ShowAbout(QWidget& parent) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("About ") + QString::fromLatin1(kAppTitle), AboutText(),
                  QMessageBox::Ok, &parent);
  box.setIconPixmap(EmblemPicture(64));
  MakeRoomForCaption(box);
  box.exec();
}

void ShowManual(QWidget& parent, const QString& anchor) {
  auto* window = parent.findChild<QDialog*>(QStringLiteral("Manual"), Qt::FindDirectChildrenOnly);
  if (window == nullptr) window = MakeManual(parent);
  if (!anchor.isEmpty()) window->findChild<QTextBrowser*>()->scrollToAnchor(anchor);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace tarnvik
