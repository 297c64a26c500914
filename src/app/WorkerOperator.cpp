#include "app/WorkerOperator.h"

#include <QTimer>

#include "app/UiBridge.h"
#include "app/WindowOperator.h"

namespace tarnvik {

WorkerOperator::WorkerOperator(UiBridge& bridge, WindowOperator& window, std::function<void()> beforeDialog)
    : bridge_(bridge), window_(window), beforeDialog_(std::move(beforeDialog)) {
  sinceFlush_.start();
}

void WorkerOperator::begin(ProgressState shown) {
  const std::lock_guard lock(mutex_);
  lines_.clear();
  progress_ = shown_ = shown;
}

void WorkerOperator::flush() {
  std::vector<std::string> lines;
  ProgressState progress;
  {
    const std::lock_guard lock(mutex_);
    lines.swap(lines_);
    progress = progress_;
    flushPosted_ = false;
  }
  sinceFlush_.restart();
  if (!lines.empty()) window_.logLines(lines);
  if (progress != shown_) window_.showProgress(progress);
  shown_ = progress;
}

void WorkerOperator::flushWhenDue() {
  const qint64 wait = kRepaintIntervalMs - sinceFlush_.elapsed();
  if (wait <= 0) return flush();
  QTimer::singleShot(static_cast<int>(wait), &bridge_, [this] { flush(); });
}

void WorkerOperator::changed() {
  {
    const std::lock_guard lock(mutex_);
    if (flushPosted_) return;
    flushPosted_ = true;
  }
  bridge_.post([this] { flushWhenDue(); });
}

void WorkerOperator::logLine(const std::string& line) {
  {
    const std::lock_guard lock(mutex_);
    lines_.push_back(line);
  }
  changed();
}

void WorkerOperator::progressStart(int pageCount) {
  {
    const std::lock_guard lock(mutex_);
    progress_ = {pageCount, 0};
  }
  changed();
}

void WorkerOperator::progressStep() {
  {
    const std::lock_guard lock(mutex_);
    ++progress_.value;
  }
  changed();
}

void WorkerOperator::progressReset() {
  {
    const std::lock_guard lock(mutex_);
    progress_.value = 0;
  }
  changed();
}

void WorkerOperator::onUi(const std::function<void()>& dialog) {
  bridge_.runAndWait([this, &dialog] {
    flush();
    beforeDialog_();
    dialog();
  });
}

void WorkerOperator::informationBox(const std::string& text, const std::string& caption) {
  onUi([&] { window_.informationBox(text, caption); });
}

void WorkerOperator::plainBox(const std::string& text) {
  onUi([&] { window_.plainBox(text); });
}

void WorkerOperator::errorBox(const std::string& text) {
  onUi([&] { window_.errorBox(text); });
}

void WorkerOperator::fileErrorBox(const FileMessage& message) {
  onUi([&] { window_.fileErrorBox(message); });
}

void WorkerOperator::fileInformationBox(const FileMessage& message, const std::string& caption) {
  onUi([&] { window_.fileInformationBox(message, caption); });
}

std::optional<std::string> WorkerOperator::chooseFile(const FileRequest& request) {
  std::optional<std::string> chosen;
  onUi([&] { chosen = window_.chooseFile(request); });
  return chosen;
}

}  // namespace tarnvik
