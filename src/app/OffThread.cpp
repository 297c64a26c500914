#include "app/OffThread.h"

#include <QEventLoop>
#include <QMetaObject>
#include <exception>
#include <thread>

namespace tarnvik {

// The loop's quit is posted: should the work end before the loop runs, the
// loop still ends at its first turn.
void RunOffThread(const std::function<void()>& work) {
  QEventLoop loop;
  std::exception_ptr error;
  std::thread worker([&] {
    try {
      work();
    } catch (...) {
      error = std::current_exception();
    }
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  if (error) std::rethrow_exception(error);
}

}  // namespace tarnvik
