#pragma once
// A main window on the test's desk: its dialogs answered by a recording
// operator, a simulated unit in memory on its USB port, the questions asked
// before changed settings are replaced and before a file is replaced
// answered from queues, and a backup folder of its own.

#include <QPushButton>
#include <QTest>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "device/simulated/SimulatedTransport.h"
#include "device/simulated/SimulatedUnit.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/OperationWait.h"
#include "support/QtPrinters.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"

namespace tarnvik::test {

struct DeskWindow {
  DeskWindow() { form.show(); }

  // Clicks a button of the frame (or any push button) and waits for its operation.
  void click(const char* name) {
    QTest::mouseClick(form.findChild<QPushButton*>(name), Qt::LeftButton);
    WaitForOperation(form);
  }
  // Runs a menu entry and waits for its operation.
  void trigger(const char* action) {
    form.findChild<QAction*>(action)->trigger();
    WaitForOperation(form);
  }

  std::shared_ptr<SimulatedUnit> unit = std::make_shared<SimulatedUnit>();
  RecordingOperator record;
  std::deque<UnsavedAnswer> answers;  // nothing queued: Cancel
  int asked = 0;
  std::vector<UnsavedMoment> moments;  // when each question was asked
  std::deque<bool> replaceAnswers;     // nothing queued: No
  std::vector<std::string> replaceAsked;
  TempFolder folder;
  std::string backups = folder.path("backups");
  Form1 form{services()};

 private:
  WindowServices services() {
    WindowServices s{TestClock(), &record, [unit = unit] {
                       auto transport = std::make_unique<SimulatedTransport>();
                       transport->addUnit("/dev/hidraw4", unit);
                       return transport;
                     }};
    s.askUnsaved = [this](UnsavedMoment moment) {
      ++asked;
      moments.push_back(moment);
      if (answers.empty()) return UnsavedAnswer::Cancel;
      const UnsavedAnswer answer = answers.front();
      answers.pop_front();
      return answer;
    };
    s.askReplace = [this](const std::string& file) {
      replaceAsked.push_back(file);
      if (replaceAnswers.empty()) return false;
      const bool answer = replaceAnswers.front();
      replaceAnswers.pop_front();
      return answer;
    };
    s.backupFolder = backups;
    return s;
  }
};

}  // namespace tarnvik::test
