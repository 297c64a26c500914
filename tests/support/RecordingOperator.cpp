#include "support/RecordingOperator.h"

#include "core/AppInfo.h"

namespace tarnvik::test {

void RecordingOperator::logLine(const std::string& line) { log.push_back(line); }

void RecordingOperator::progressStart(int pageCount) {
  progressMaximum = pageCount;
  progressPosition = 0;
}

void RecordingOperator::progressStep() { ++progressPosition; }

void RecordingOperator::progressReset() { progressPosition = 0; }

void RecordingOperator::informationBox(const std::string& text, const std::string& caption) {
  boxes.push_back({Box::Kind::Information, caption, text});
}

void RecordingOperator::plainBox(const std::string& text) { boxes.push_back({Box::Kind::Plain, kAppTitle, text}); }

void RecordingOperator::errorBox(const std::string& text) { boxes.push_back({Box::Kind::Error, kAppTitle, text}); }

void RecordingOperator::fileErrorBox(const FileMessage& message) {
  errorBox(message.bytes());
  fileMessages.push_back(message);
}

std::optional<std::string> RecordingOperator::chooseFile(const FileRequest& request) {
  fileRequests.push_back(request);
  if (fileAnswers_.empty()) return std::nullopt;
  auto answer = std::move(fileAnswers_.front());
  fileAnswers_.pop_front();
  return answer;
}

bool RecordingOperator::askYesNo(const FileMessage& question) {
  questions.push_back(question.bytes());
  if (questionAnswers_.empty()) return false;
  const bool yes = questionAnswers_.front();
  questionAnswers_.pop_front();
  return yes;
}

std::vector<std::string> RecordingOperator::boxTexts() const {
  std::vector<std::string> texts;
  for (const Box& box : boxes) texts.push_back(box.text);
  return texts;
}

}  // namespace tarnvik::test
