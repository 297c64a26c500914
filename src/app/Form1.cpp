#include "app/Form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

#include "app/FrameLayout.h"
#include "app/InputBlocker.h"
#include "app/QtDialogs.h"
#include "app/WindowOperator.h"
#include "core/AppInfo.h"
#include "core/OperationError.h"
#include "device/DeviceOperations.h"
#include "device/FirmwareUpload.h"
#include "device/backends/TransportChoice.h"
#include "ui/Artwork.h"
#include "ui/CaptionedGroup.h"
#include "ui/SettingsBinder.h"
#include "ui/SettingsTabs.h"

namespace tarnvik {

namespace {

void Place(QWidget& widget, const frame::Place& place) {
  widget.setObjectName(place.name);
  widget.setGeometry(place.left, place.top, place.width, place.height);
}

}  // namespace

Form1::Form1(WindowServices services)
    : clock_(std::move(services.clock)),
      settings_(clock_),
      executableFolder_(ExecutableFolder()),
      transportFactory_(std::move(services.transport)),
      firmware_(std::make_unique<FirmwareBuffer>()) {
  setObjectName("Form1");
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(frame::kClientWidth, frame::kClientHeight);
  buildFrame();
  Dialogs* dialogs = services.dialogs;
  if (dialogs == nullptr) dialogs = (ownDialogs_ = std::make_unique<QtDialogs>(*this)).get();
  operator_ = std::make_unique<WindowOperator>(*memo_, *progressBar_, *dialogs);
  blocker_ = new InputBlocker(*this);
  wireButtons();
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  setWindowTitle(QString::fromLatin1(MainWindowCaption()));
}

Form1::~Form1() = default;

void Form1::buildFrame() {
  buildGroups();
  buildTabs();
  buildLogAndProgress();
  buildLogo();
}

void Form1::buildGroups() {
  for (const frame::Place& place : frame::kGroups)
    Place(*new CaptionedGroup(QString::fromLatin1(place.caption), this), place);
  for (const frame::Place& place : frame::kButtons) {
    auto* group = findChild<QGroupBox*>(QString::fromLatin1(place.parent));
    Place(*new QPushButton(QString::fromLatin1(place.caption), group), place);
  }
}

void Form1::buildTabs() {
  pageControl_ = new QTabWidget(this);
  Place(*pageControl_, frame::kPageControl);
  binder_ = std::make_unique<SettingsBinder>(settings_);
  AddSettingsTabs(*pageControl_, *binder_);
  connect(button("Button11"), &QPushButton::clicked, this, &Form1::Button11Click);
}

void Form1::setSpecialStringsDialog(QDialog* dialog) { specialStrings_ = dialog; }

// Shows the special strings dialog modally; the same dialog every time.
void Form1::Button11Click() {
  if (specialStrings_ != nullptr) specialStrings_->exec();
}

void Form1::buildLogAndProgress() {
  memo_ = new QPlainTextEdit(this);
  Place(*memo_, frame::kMemo);
  memo_->setReadOnly(true);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  progressBar_ = new QProgressBar(this);
  Place(*progressBar_, frame::kProgressBar);
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  progressBar_->setTextVisible(false);
}

void Form1::buildLogo() {
  auto* logo = new QLabel(this);
  Place(*logo, frame::kLogo);
  logo->setPixmap(LogoPicture());
  logo->setAlignment(Qt::AlignCenter);
  logo->setFocusPolicy(Qt::NoFocus);
}

QPushButton* Form1::button(const char* name) const { return findChild<QPushButton*>(QString::fromLatin1(name)); }

void Form1::wireButtons() {
  connect(button("Button1"), &QPushButton::clicked, this, [this] { runOperation([this] { Button1Click(); }); });
  connect(button("Button2"), &QPushButton::clicked, this, [this] { runOperation([this] { Button2Click(); }); });
  connect(button("Button3"), &QPushButton::clicked, this, [this] { runOperation([this] { Button3Click(); }); });
  connect(button("Button4"), &QPushButton::clicked, this, [this] { runOperation([this] { Button4Click(); }); });
  connect(button("Button5"), &QPushButton::clicked, this, [this] { runOperation([this] { Button5Click(); }); });
}

void Form1::Button1Click() { SaveToFile(settings_, *operator_, fileDialogs_, executableFolder_); }

void Form1::Button2Click() { ReadFromFile(settings_, *operator_, fileDialogs_, executableFolder_); }

void Form1::Button3Click() { UploadFirmwareClick(deviceAccess(), *firmware_, executableFolder_); }

void Form1::Button4Click() { ReadConfig(deviceAccess(), images_.ReadImage, settings_); }

void Form1::Button5Click() { WriteConfig(deviceAccess(), settings_, images_.WriteImage, clock_); }

DeviceAccess Form1::deviceAccess() {
  if (!transport_) transport_ = transportFactory_();
  return {*transport_, *operator_};
}

TransportFactory DefaultTransport() {
  return [] { return MakeTransport(SimulatedUnitFromEnvironment()); };
}

bool Form1::operationRunning() const { return blocker_->blocking(); }

void Form1::runOperation(const std::function<void()>& operation) {
  if (blocker_->blocking()) return;
  blocker_->setBlocking(true);
  RunGuarded(*operator_, operation);
  blocker_->setBlocking(false);
}

void Form1::closeEvent(QCloseEvent* event) {
  if (blocker_->blocking())
    event->ignore();
  else
    event->accept();
}

std::string ExecutableFolder() {
  const QByteArray folder = QFile::encodeName(QDir(QCoreApplication::applicationDirPath()).absolutePath());
  return std::string(folder.constData(), std::size_t(folder.size())) + "/";
}

}  // namespace tarnvik
