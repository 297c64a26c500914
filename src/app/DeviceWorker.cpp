#include "app/DeviceWorker.h"

#include "device/HidTransport.h"

namespace tarnvik {

DeviceWorker::DeviceWorker(TransportFactory factory) : factory_(std::move(factory)), thread_([this] { run(); }) {}

DeviceWorker::~DeviceWorker() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void DeviceWorker::post(Job job) {
  {
    const std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(job));
  }
  wake_.notify_all();
}

HidTransport& DeviceWorker::transport() {
  if (!transport_) transport_ = factory_();
  return *transport_;
}

void DeviceWorker::run() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (jobs_.empty()) break;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    job(*this);
  }
  transport_.reset();  // closed by the thread that made it
}

}  // namespace tarnvik
