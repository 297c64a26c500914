#include "app/RecentFiles.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <algorithm>
#include <filesystem>

#include "platform/PathText.h"

namespace tarnvik {

namespace {

constexpr const char* kKey = "recent/files";

bool IsFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(platform::PathOf(path), error);
}

}  // namespace

RecentFiles::RecentFiles(QMenu& menu, QSettings* memory, std::function<void(const std::string&)> open)
    : QObject(&menu), menu_(menu), memory_(memory), open_(std::move(open)) {
  if (memory_ != nullptr)
    for (const QVariant& file : memory_->value(QString::fromLatin1(kKey)).toList())
      if (files_.size() < kKept && !file.toByteArray().isEmpty()) files_.push_back(file.toByteArray().toStdString());
  connect(&menu_, &QMenu::aboutToShow, this, &RecentFiles::rebuild);
  rebuild();
}

void RecentFiles::add(const std::string& file) {
  std::erase(files_, file);
  files_.insert(files_.begin(), file);
  if (files_.size() > kKept) files_.resize(kKept);
  keep();
  rebuild();
}

std::vector<std::string> RecentFiles::shown() const {
  std::vector<std::string> shown;
  for (const std::string& file : files_)
    if (shown.size() < kShown && IsFile(file)) shown.push_back(file);
  return shown;
}

// Numbered for the keyboard: Alt+F, F, then the file's number. The old
// entries go later: one of them may be the entry being picked.
void RecentFiles::rebuild() {
  for (QAction* entry : menu_.actions()) {
    menu_.removeAction(entry);
    entry->deleteLater();
  }
  const std::vector<std::string> files = shown();
  for (std::size_t n = 0; n < files.size(); ++n) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(files[n]));
    const QString shown = QString(path).replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* entry = menu_.addAction(QStringLiteral("&%1 ").arg(n + 1) + shown);
    entry->setObjectName(QStringLiteral("RecentFile"));
    connect(entry, &QAction::triggered, this, [this, file = files[n]] { open_(file); });
  }
  if (files.empty()) menu_.addAction(QStringLiteral("(none)"))->setEnabled(false);
}

void RecentFiles::keep() const {
  if (memory_ == nullptr) return;
  QVariantList list;
  for (const std::string& file : files_) list << QByteArray::fromStdString(file);
  memory_->setValue(QString::fromLatin1(kKey), list);
  memory_->sync();
}

}  // namespace tarnvik
