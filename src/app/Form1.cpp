#include "app/Form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>

#include "app/ClientArea.h"
#include "app/CompareDialog.h"
#include "app/FileDrop.h"
#include "app/FrameActions.h"
#include "app/FrameLayout.h"
#include "app/HelpDialogs.h"
#include "app/OperationRunner.h"
#include "app/QtDialogs.h"
#include "app/RecentFiles.h"
#include "app/RefusedSetting.h"
#include "app/SettingNames.h"
#include "app/TabKeys.h"
#include "app/WindowFiles.h"
#include "app/WindowOperator.h"
#include "app/WindowPlace.h"
#include "app/WindowTitle.h"
#include "cfgfile/ConfigFileOps.h"
#include "core/OperationError.h"
#include "device/FirmwareUpload.h"
#include "device/backends/TransportChoice.h"
#include "safeguard/Comparison.h"
#include "safeguard/ConfigSource.h"
#include "safeguard/SafeWrite.h"
#include "safeguard/UnitBackup.h"
#include "ui/Artwork.h"
#include "ui/CaptionedGroup.h"
#include "ui/SettingFocus.h"
#include "ui/SettingsBinder.h"
#include "ui/SettingsTabs.h"

namespace tarnvik {

namespace {

void Place(QWidget& widget, const frame::Place& place) {
  widget.setObjectName(place.name);
  widget.setGeometry(place.left, place.top, place.width, place.height);
}

std::string Bytes(const QString& path) {
  const QByteArray bytes = QFile::encodeName(path);
  return std::string(bytes.constData(), std::size_t(bytes.size()));
}

QString PathText(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }

// After the messages Read config gives for a blank unit.
constexpr const char* kBlankUnitLine =
    "The unit holds no configuration yet: set up the settings here and write them with Write config.";

}  // namespace

Form1::Form1(WindowServices services)
    : clock_(std::move(services.clock)),
      askUnsaved_(std::move(services.askUnsaved)),
      askReplace_(std::move(services.askReplace)),
      memory_(services.memoryFile.isEmpty() ? nullptr
                                            : std::make_unique<QSettings>(services.memoryFile, QSettings::IniFormat)),
      settings_(clock_),
      executableFolder_(ExecutableFolder()),
      firmware_(std::make_unique<FirmwareBuffer>()),
      backups_(std::move(services.backupFolder)),
      openFolder_(std::move(services.openFolder)) {
  setObjectName("Form1");
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  buildClient();
  Dialogs* dialogs = services.dialogs;
  if (dialogs == nullptr) dialogs = (ownDialogs_ = std::make_unique<QtDialogs>(*this)).get();
  operator_ = std::make_unique<WindowOperator>(*memo_, *progressBar_, *dialogs);
  if (!askReplace_) askReplace_ = [this](const std::string& file) { return AskReplace(*this, file); };
  files_ = std::make_unique<WindowFiles>(
      settings_, *operator_, [this](const std::string& file) { return askReplace_(file); }, executableFolder_);
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
  new TabKeys(*this, *pageControl_, [this] { return !operationRunning(); });
  synced_ = settings_;
  settings_.addListener([this](std::size_t) { updateTitle(); });
  placeWindow();
  updateTitle();
  QTimer::singleShot(0, watch_, &UnitWatch::checkNow);
}

// The runner goes first: its worker may still use the settings and the operator.
Form1::~Form1() { runner_.reset(); }

Operator& Form1::reporter() { return *operator_; }

// The client area scrolls in a window smaller than it (a small screen at a
// large scale) and grows with a larger one.
void Form1::buildClient() {
  auto* client = new ClientArea;
  auto* scroller = new QScrollArea(this);
  scroller->setObjectName(QStringLiteral("ClientScroller"));
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setWidgetResizable(true);
  scroller->setWidget(client);
  setCentralWidget(scroller);
  buildFrame(*client);
}

// On the primary screen until the window's memory says otherwise.
void Form1::placeWindow() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  PlaceWindow(*this, screen != nullptr ? screen->availableGeometry() : QRect(QPoint(0, 0), NaturalSize(*this)),
              memory_.get());
}

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
  auto* recent = new QMenu(QStringLiteral("Recent &files"), menus[0]);
  recent->setObjectName(QStringLiteral("MenuRecentFiles"));
  menus[0]->insertMenu(findChild<QAction*>(QStringLiteral("ActionSave")), recent);
  // Opened once the menu has closed: the entry picked goes with the menu's next rebuild.
  recent_ = new RecentFiles(*recent, memory_.get(), [this](const std::string& file) {
    QTimer::singleShot(0, this, [this, file] { openFile(PathText(file)); });
  });
}

// Below the client area: which unit the window works with.
void Form1::buildStatusLine() {
  statusBar()->setSizeGripEnabled(true);
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
  findChild<QMenu*>(QStringLiteral("MenuRecentFiles"))->menuAction()->setEnabled(!running);
  watch_->setRunning(running);
  if (running) return;
  watch_->checkNow();
  emit operationFinished();
}

bool Form1::runOperation(const std::function<void()>& operation) { return runner_->runHere(operation); }

bool Form1::operationRunning() const { return runner_->running(); }

void Form1::saveToFile() {
  std::optional<std::string> file;
  if (!runOperation([&] { file = files_->saveAs(source_.saveTarget()); })) leadToRefusal(RefusedBySave(settings_));
  saved(file);
}

void Form1::save() {
  std::optional<std::string> file;
  if (!runOperation([&] { file = files_->save(source_.saveTarget()); })) leadToRefusal(RefusedBySave(settings_));
  saved(file);
}

void Form1::saved(const std::optional<std::string>& file) {
  if (!file) return;
  markSynced({*file, {}});
  recent_->add(*file);
}

// The question comes once the file is chosen: a dialog cancelled asks nothing.
void Form1::readFromFile() {
  std::optional<std::string> file;
  runOperation([&] { file = files_->chooseToRead(); });
  if (file) openFile(PathText(*file));
}

void Form1::openFile(const QString& path) {
  if (operationRunning() || !mayReplaceSettings(UnsavedMoment::Replacing)) return;
  ConfigSource read;
  const std::string file = Bytes(path);
  runOperation([&] { read = files_->read(file); });
  if (read.outcome != SourceOutcome::Loaded) return;
  markSynced({file, {}, read.image});
  recent_->add(file);
}

void Form1::uploadFirmware() {
  runner_->runOnWorker([this](const DeviceAccess& access, DeviceSettings&) {
    UploadFirmwareClick(access, *firmware_, executableFolder_);
  });
}

// A blank unit (every page read, all of it zeros or erased) gets a line of
// its own after Read config's messages, which take it for a damaged image.
void Form1::readConfig() {
  if (operationRunning() || !mayReplaceSettings(UnsavedMoment::Replacing)) return;
  auto unit = std::make_shared<std::optional<std::string>>();
  runner_->runOnWorker(
      [this, unit](const DeviceAccess& access, DeviceSettings& settings) {
        const ReadConfigOutcome read = ReadConfig(access, images_.ReadImage, settings);
        if (read.allPages && IsBlankImage(images_.ReadImage)) access.op.logLine(kBlankUnitLine);
        if (read.decoded) *unit = UnitUsed(access);
      },
      [this, unit](bool) {
        if (*unit) markSynced({{}, **unit});
      });
}

// Backed up before and read back after, on one hold of the unit.
void Form1::writeConfig() {
  auto written = std::make_shared<SafeWriteOutcome>();
  auto unit = std::make_shared<std::string>();
  runner_->runOnWorker(
      [this, written, unit](const DeviceAccess& access, DeviceSettings& settings) {
        *written = WriteConfigSafely(access, settings, images_.WriteImage, clock_, backups_);
        if (written->allPages) *unit = UnitUsed(access);
      },
      [this, written, unit](bool completed) {
        if (written->allPages) markSynced({{}, *unit});
        if (!completed || !written->encoded) leadToRefusal(RefusedByWrite(settings_));
      });
}

void Form1::showFirmwareVersion() {
  runner_->runOnWorker([](const DeviceAccess& access, DeviceSettings&) { ShowFirmwareVersion(access); });
}

// The worker compares its copy of the settings, which stays as it was.
void Form1::compareWithUnit() {
  auto comparison = std::make_shared<Comparison>();
  runner_->runOnWorker([comparison](const DeviceAccess& access,
                                    DeviceSettings& settings) { *comparison = CompareWithUnit(access, settings); },
                       [this, comparison](bool) {
                         if (!comparison->compared) return;
                         const QString heading =
                             QStringLiteral("The unit holds %1 differently (the window's value -> the unit's):")
                                 .arg(SettingCount(comparison->differences.size()));
                         showComparison(QStringLiteral("Compare with unit"), heading, comparison->differences);
                       });
}

void Form1::compareWithFile() {
  Comparison comparison;
  std::string chosen;
  runOperation([&] {
    const FileRequest request{FileRequest::Mode::Open, ConfigFolder(executableFolder_), lastCompared_,
                              kConfigOrImageFilter, "Compare with file"};
    const std::optional<std::string> file = operator_->chooseFile(request);
    if (!file) return;
    chosen = lastCompared_ = *file;
    comparison = CompareWithFile(settings_, chosen, *operator_);
  });
  if (comparison.compared)
    showComparison(QStringLiteral("Compare with file"),
                   QStringLiteral("%1 holds %2 differently (the window's value -> the file's):")
                       .arg(PathText(chosen), SettingCount(comparison.differences.size())),
                   comparison.differences);
}

void Form1::showComparison(const QString& title, const QString& heading, const std::vector<SettingDifference>& found) {
  if (compareDialog_ == nullptr) compareDialog_ = new CompareDialog(*this);
  if (!names_) names_ = std::make_unique<SettingNames>(*pageControl_, *binder_);
  compareDialog_->showLines(title, heading, names_->lines(found));
}

// Made first, so that the file manager has a folder to show before the
// first backup.
void Form1::openBackupsFolder() {
  runOperation([this] {
    if (backups_.path().empty()) throw OperationError("There is no folder for backups (no home folder)");
    backups_.make();
    openFolder(backups_.path());
  });
}

// Where no file manager can be started, the box names the folder, to be
// copied from it.
void Form1::openFolder(const std::string& folder) {
  const bool opened =
      openFolder_ ? openFolder_(folder) : QDesktopServices::openUrl(QUrl::fromLocalFile(PathText(folder)));
  if (!opened)
    operator_->fileInformationBox(
        {"No file manager could be started to show the backups folder. The backups are kept in:\n", folder, ""},
        "Backups folder");
}

void Form1::showManual() { ShowManual(*this); }

void Form1::showAbout() { ShowAbout(*this); }

void Form1::showAboutQt() { QMessageBox::aboutQt(this); }

void Form1::markSynced(SyncedSource source) {
  synced_ = settings_;
  source_ = std::move(source);
  updateTitle();
}

bool Form1::settingsChanged() const { return EditsDiffer(settings_, synced_); }

void Form1::updateTitle() { setWindowTitle(WindowTitle(PathText(source_.titleName()), settingsChanged())); }

void Form1::leadToRefusal(const std::string& setting) {
  if (QWidget* control = binder_->controlOf(setting)) LeadTo(*control);
}

// Save runs File > Save (its dialog when no file is named); a cancelled or
// failed save keeps the settings, so nothing is lost.
bool Form1::mayReplaceSettings(UnsavedMoment moment) {
  if (!settingsChanged()) return true;
  switch (askUnsaved_ ? askUnsaved_(moment) : AskUnsaved(*this, moment)) {
    case UnsavedAnswer::Save: save(); return !settingsChanged();
    case UnsavedAnswer::Discard: return true;
    case UnsavedAnswer::Cancel: return false;
  }
  return false;
}

void Form1::closeEvent(QCloseEvent* event) {
  if (operationRunning() || !mayReplaceSettings(UnsavedMoment::Closing)) return event->ignore();
  KeepWindowPlace(*this, memory_.get());
  event->accept();
}

TransportFactory DefaultTransport() {
  return [] { return MakeTransport(SimulatedUnitFromEnvironment()); };
}

std::string ExecutableFolder() {
  const QByteArray folder = QFile::encodeName(QDir(QCoreApplication::applicationDirPath()).absolutePath());
  return std::string(folder.constData(), std::size_t(folder.size())) + "/";
}

}  // namespace tarnvik
