#pragma once
// The one thread that talks to the unit. Device operations run here, one at
// a time, in the order they were given, so that the window keeps painting
// while a transfer waits on the unit. The HID stack is made here at the
// first operation and closed here when the worker ends: every handle is
// opened, used and closed by this thread alone.

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace tarnvik {

class HidTransport;

using TransportFactory = std::function<std::unique_ptr<HidTransport>()>;

class DeviceWorker {
 public:
  explicit DeviceWorker(TransportFactory factory);
  // Finishes the operation under way and the ones queued, then ends the thread.
  ~DeviceWorker();
  DeviceWorker(const DeviceWorker&) = delete;
  DeviceWorker& operator=(const DeviceWorker&) = delete;

  using Job = std::function<void(DeviceWorker&)>;
  // Queues a job; returns at once. Any thread.
  void post(Job job);

  // The HID stack, made at the first call. Only from a job; throws what the
  // factory throws (and tries again at the next call).
  HidTransport& transport();

 private:
  void run();

  TransportFactory factory_;
  std::unique_ptr<HidTransport> transport_;  // touched by the worker thread only
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Job> jobs_;
  bool stopping_ = false;
  std::thread thread_;  // last: started when everything else is in place
};

}  // namespace tarnvik
