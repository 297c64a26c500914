#pragma once
// An operator for tests: records every log line, progress change and message
// box in order, and answers file dialogs from a queue, so that no test ever
// waits on a modal window.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/Operator.h"

namespace tarnvik::test {

struct Box {
  enum class Kind { Information, Plain, Error };
  Kind kind;
  std::string caption;
  std::string text;
};

class RecordingOperator : public Operator {
 public:
  void logLine(const std::string& line) override;
  void progressStart(int pageCount) override;
  void progressStep() override;
  void progressReset() override;
  void informationBox(const std::string& text, const std::string& caption) override;
  void plainBox(const std::string& text) override;
  void errorBox(const std::string& text) override;
  // Recorded as an error box with the whole text, and its parts in fileMessages.
  void fileErrorBox(const FileMessage& message) override;
  std::optional<std::string> chooseFile(const FileRequest& request) override;
  // Recorded in `questions` as a whole; answered from a queue, nothing queued means No.
  bool askYesNo(const FileMessage& question) override;

  // Next answer of a file dialog; nothing queued means "cancelled".
  void answerFile(std::optional<std::string> path) { fileAnswers_.push_back(std::move(path)); }
  // Next answer of a yes/no question.
  void answerQuestion(bool yes) { questionAnswers_.push_back(yes); }

  std::vector<std::string> log;
  std::vector<Box> boxes;
  std::vector<FileRequest> fileRequests;
  std::vector<FileMessage> fileMessages;
  std::vector<std::string> questions;
  int progressMaximum = 100;
  int progressPosition = 0;

  // Texts of all boxes, in order (convenient for exact comparisons).
  std::vector<std::string> boxTexts() const;

 private:
  std::deque<std::optional<std::string>> fileAnswers_;
  std::deque<bool> questionAnswers_;
};

}  // namespace tarnvik::test
