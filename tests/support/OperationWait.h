#pragma once
// Device operations run on the window's worker thread: a test that clicks a
// button waits here until the operation and what follows it have ended.

#include <QEventLoop>
#include <QTimer>

#include "app/Form1.h"

namespace tarnvik::test {

// Returns false when the operation did not end within `limitMs`.
inline bool WaitForOperation(Form1& form, int limitMs = 30000) {
  if (!form.operationRunning()) return true;
  QEventLoop loop;
  QObject::connect(&form, &Form1::operationFinished, &loop, &QEventLoop::quit);
  QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
  loop.exec();
  return !form.operationRunning();
}

}  // namespace tarnvik::test
