#include "app/Form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>

#include "app/CompareDialog.h"
#include "app/FileDrop.h"
#include "app/FrameActions.h"
#include "app/FrameLayout.h"
#include "app/HelpDialogs.h"
#include "app/OperationRunner.h"
#include "app/QtDialogs.h"
#include "app/RefusedSetting.h"
#include "app/WindowOperator.h"
#include "app/WindowTitle.h"
#include "core/AppInfo.h"
#include "core/OperationError.h"
#include "device/FirmwareUpload.h"
#include "device/backends/TransportChoice.h"
#include "safeguard/Comparison.h"
#include "safeguard/SafeWrite.h"
#include "ui/Artwork.h"
#include "ui/CaptionRoom.h"
#include "ui/CaptionedGroup.h"
#include "ui/FileNameText.h"
#include "ui/SettingFocus.h"
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
      askUnsaved_(std::move(services.askUnsaved)),
      settings_(clock_),
      executableFolder_(ExecutableFolder()),
      firmware_(std::make_unique<FirmwareBuffer>()),
      backups_(std::move(services.backupFolder)),
      openFolder_(std::move(services.openFolder)) {
  setObjectName("Form1");
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  auto* client = new QWidget(this);
  client->setObjectName("ClientArea");
  client->setFixedSize(frame::kClientWidth, frame::kClientHeight);
  setCentralWidget(client);
  layout()->setSizeConstraint(QLayout::SetFixedSize);  // the menu bar above a client area of fixed size
  buildFrame(*client);
  Dialogs* dialogs = services.dialogs;
  if (dialogs == nullptr) dialogs = (ownDialogs_ = std::make_unique<QtDialogs>(*this)).get();
  operator_ = std::make_unique<WindowOperator>(*memo_, *progressBar_, *dialogs);
  runner_ = std::make_unique<OperationRunner>(*this, settings_, *operator_, std::move(services.transport));
  buildMenus();
  buildStatusLine();
  watch_ = new UnitWatch(*runner_, *unitStatus_, *menuBar()->findChild<QMenu*>(QStringLiteral("MenuUnit")),
                         services.unitWatch, this);
  connect(runner_.get(), &OperationRunner::runningChanged, this, &Form1::runningChanged);
  wireButtons();
  new FileDrop(
      *this, [this](const QString& file) { QTimer::singleShot(0, this, [this, file] { openFile(file); }); },
      [this] { return !operationRunning(); });
  settings_.addListener([this](std::size_t) {
    changed_ = true;
    updateTitle();
  });
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(sizeHint().width() / 2, sizeHint().height() / 2));
  updateTitle();
  QTimer::singleShot(0, watch_, &UnitWatch::checkNow);
}

// The runner goes first: its worker may still use the settings and the operator.
Form1::~Form1() { runner_.reset(); }

Operator& Form1::reporter() { return *operator_; }

void Form1::buildFrame(QWidget& client) {
  buildGroups(client);
  buildTabs(client);
  buildLogAndProgress(client);
  buildLogo(client);
}

void Form1::buildGroups(QWidget& client) {
  for (const frame::Place& place : frame::kGroups)
    Place(*new CaptionedGroup(QString::fromLatin1(place.caption), &client), place);
  for (const frame::Place& place : frame::kButtons) {
    auto* group = client.findChild<QGroupBox*>(QString::fromLatin1(place.parent));
    Place(*new QPushButton(QString::fromLatin1(place.caption), group), place);
  }
}

void Form1::buildTabs(QWidget& client) {
  pageControl_ = new QTabWidget(&client);
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

// The log wraps long lines (a path in an error can be long) rather than
// hiding their ends beyond its right edge.
void Form1::buildLogAndProgress(QWidget& client) {
  memo_ = new QPlainTextEdit(&client);
  Place(*memo_, frame::kMemo);
  memo_->setReadOnly(true);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  progressBar_ = new QProgressBar(&client);
  Place(*progressBar_, frame::kProgressBar);
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  progressBar_->setTextVisible(false);
}

void Form1::buildLogo(QWidget& client) {
  auto* logo = new QLabel(&client);
  Place(*logo, frame::kLogo);
  logo->setPixmap(LogoPicture());
  logo->setAlignment(Qt::AlignCenter);
  logo->setFocusPolicy(Qt::NoFocus);
}

void Form1::buildMenus() {
  QMenu* menus[] = {menuBar()->addMenu(QString::fromLatin1(MenuTitle(Menu::File))),
                    menuBar()->addMenu(QString::fromLatin1(MenuTitle(Menu::Unit))),
                    menuBar()->addMenu(QString::fromLatin1(MenuTitle(Menu::Help)))};
  for (QMenu* menu : menus) menu->setObjectName(QStringLiteral("Menu") + menu->title().remove(QLatin1Char('&')));
  for (const FrameAction& entry : FrameActions()) {
    QMenu& menu = *menus[static_cast<int>(entry.menu)];
    if (entry.separatorBefore) menu.addSeparator();
    QAction* action = menu.addAction(QString::fromLatin1(entry.text));
    action->setObjectName(QString::fromLatin1(entry.name));
    if (entry.shortcut != nullptr) action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
    connect(action, &QAction::triggered, this, [this, &entry] { entry.run(*this); });
  }
}

// Below the client area: which unit the window works with.
void Form1::buildStatusLine() {
  statusBar()->setSizeGripEnabled(false);
  unitStatus_ = new QLabel(statusBar());
  unitStatus_->setObjectName(QStringLiteral("UnitStatus"));
  statusBar()->addWidget(unitStatus_, 1);
}

QPushButton* Form1::button(const char* name) const { return findChild<QPushButton*>(QString::fromLatin1(name)); }

void Form1::wireButtons() {
  for (const FrameAction& entry : FrameActions())
    if (entry.button != nullptr)
      connect(button(entry.button), &QPushButton::clicked, this, [this, &entry] { entry.run(*this); });
}

void Form1::runningChanged(bool running) {
  for (const FrameAction& entry : FrameActions())
    if (entry.blockedWhileRunning) findChild<QAction*>(QString::fromLatin1(entry.name))->setEnabled(!running);
  watch_->setRunning(running);
  if (running) return;
  watch_->checkNow();
  emit operationFinished();
}

bool Form1::runOperation(const std::function<void()>& operation) { return runner_->runHere(operation); }

bool Form1::operationRunning() const { return runner_->running(); }

void Form1::saveToFile() {
  bool saved = false;
  if (!runOperation([&] { saved = SaveToFile(settings_, *operator_, fileDialogs_, executableFolder_); }))
    leadToRefusal(RefusedBySave(settings_));
  if (saved) markSynced(fileDialogs_.lastSaved);
}

void Form1::readFromFile() {
  bool read = false;
  runOperation([&] { read = ReadFromFile(settings_, *operator_, fileDialogs_, executableFolder_); });
  if (read) markSynced(fileDialogs_.lastOpened);
}

void Form1::openFile(const QString& path) {
  bool read = false;
  const std::string file = CoreFileName(path);
  runOperation([&] {
    fileDialogs_.lastOpened = file;
    read = LoadConfigFile(settings_, file, *operator_);
  });
  if (read) markSynced(file);
}

// The operator confirms the file and the unit before the first page.
void Form1::uploadFirmware() {
  runner_->runOnWorker([this](const DeviceAccess& access, DeviceSettings&) {
    UploadFirmwareClick(access, *firmware_, executableFolder_, UploadQuestion::Ask);
  });
}

void Form1::readConfig() {
  auto read = std::make_shared<ReadConfigOutcome>();
  runner_->runOnWorker(
      [this, read](const DeviceAccess& access, DeviceSettings& settings) {
        *read = ReadConfig(access, images_.ReadImage, settings);
      },
      [this, read](bool) {
        if (!read->decoded) return;
        lastUnit_ = read->unit;
        markSynced(file_);
      });
}

// Backed up before and read back after, on one hold of the unit; asked
// first when the unit is not the one last read or written.
void Form1::writeConfig() {
  auto written = std::make_shared<SafeWriteOutcome>();
  runner_->runOnWorker(
      [this, written, last = lastUnit_](const DeviceAccess& access, DeviceSettings& settings) {
        *written = WriteConfigSafely(access, settings, images_.WriteImage, clock_, backups_, last ? &*last : nullptr);
      },
      [this, written](bool completed) {
        if (written->backedUp) lastUnit_ = written->unit;
        if (written->allPages) markSynced(file_);
        if (!completed || !written->encoded) leadToRefusal(RefusedByWrite(settings_));
      });
}

void Form1::showFirmwareVersion() {
  runner_->runOnWorker([](const DeviceAccess& access, DeviceSettings&) { ShowFirmwareVersion(access); });
}

// The worker compares its copy of the settings, which stays as it was.
void Form1::compareWithUnit() {
  auto comparison = std::make_shared<Comparison>();
  runner_->runOnWorker(
      [comparison](const DeviceAccess& access, DeviceSettings& settings) {
        *comparison = CompareWithUnit(access, settings);
      },
      [this, comparison](bool) {
        if (comparison->compared)
          showComparison(QStringLiteral("Compare with unit"),
                         QStringLiteral("Settings the unit holds differently (the window's value -> the unit's):"),
                         comparison->lines);
      });
}

void Form1::compareWithFile() {
  Comparison comparison;
  std::string chosen;
  runOperation([&] {
    const FileRequest request{FileRequest::Mode::Open, ConfigFolder(executableFolder_), lastCompared_,
                              "Tarnvik config files and images (*.cfg *.bin)|*.cfg *.bin"};
    const std::optional<std::string> file = operator_->chooseFile(request);
    if (!file) return;
    chosen = lastCompared_ = *file;
    comparison = CompareWithFile(settings_, chosen, *operator_);
  });
  if (comparison.compared)
    showComparison(
        QStringLiteral("Compare with file"),
        QStringLiteral("Settings that differ from %1 (the window's value -> the file's):").arg(ShownFileName(chosen)),
        comparison.lines);
}

void Form1::showComparison(const QString& title, const QString& heading, const std::vector<std::string>& lines) {
  if (compareDialog_ == nullptr) compareDialog_ = new CompareDialog(*this);
  compareDialog_->showLines(title, heading, lines);
}

// Made first, so that the file manager has a folder to show before the
// first backup.
void Form1::openBackupsFolder() {
  runOperation([this] {
    if (backups_.path().empty()) throw OperationError("There is no folder for backups (no home folder)");
    backups_.make();
    if (openFolder_)
      openFolder_(backups_.path());
    else
      QDesktopServices::openUrl(QUrl::fromLocalFile(ShownFileName(backups_.path())));
  });
}

void Form1::showManual() { ShowManual(*this); }

void Form1::showAbout() { ShowAbout(*this); }

void Form1::showAboutQt() { QMessageBox::aboutQt(this); }

void Form1::markSynced(const std::string& file) {
  file_ = file;
  changed_ = false;
  updateTitle();
}

void Form1::updateTitle() {
  const QString name = file_.empty() ? QString() : QFileInfo(ShownFileName(file_)).fileName();
  setWindowTitle(WindowTitle(name, changed_));
}

void Form1::leadToRefusal(const std::string& setting) {
  if (QWidget* control = binder_->controlOf(setting)) LeadTo(*control);
}

UnsavedAnswer Form1::askUnsaved() {
  if (askUnsaved_) return askUnsaved_();
  QMessageBox box(QMessageBox::Question, QString::fromLatin1(kAppTitle),
                  QStringLiteral("The settings have changed since they were last saved, read or written.\n"
                                 "Save them to a file before closing?"),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setDefaultButton(QMessageBox::Save);
  MakeRoomForCaption(box);
  const int answer = box.exec();
  if (answer == QMessageBox::Save) return UnsavedAnswer::Save;
  return answer == QMessageBox::Discard ? UnsavedAnswer::Discard : UnsavedAnswer::Cancel;
}

// Save runs Save to file with its dialog; a cancelled or failed save keeps
// the window open, so nothing is lost.
bool Form1::saveWithDialog() {
  saveToFile();
  return !changed_;
}

void Form1::closeEvent(QCloseEvent* event) {
  bool close = !operationRunning();
  if (close && changed_) {
    switch (askUnsaved()) {
      case UnsavedAnswer::Save: close = saveWithDialog(); break;
      case UnsavedAnswer::Discard: break;
      case UnsavedAnswer::Cancel: close = false; break;
    }
  }
  if (close)
    event->accept();
  else
    event->ignore();
}

TransportFactory DefaultTransport() {
  return [] { return MakeTransport(SimulatedUnitFromEnvironment()); };
}

std::string ExecutableFolder() {
  return CoreFileName(QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/'));
}

}  // namespace tarnvik
