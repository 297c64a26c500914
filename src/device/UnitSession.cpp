#include "device/UnitSession.h"

#include <filesystem>

#include "platform/FileSystem.h"
#include "platform/PathText.h"

namespace tarnvik {

namespace {

bool Plain(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

}  // namespace

HidTransport::Opened UnitSession::open(const std::string& path) {
  const std::string file = held_.contains(path) ? std::string() : inner_.lockFile(path);
  if (!file.empty()) {
    platform::FileLock lock = platform::FileLock::TryLockFile(file);
    if (lock.status() == platform::FileLock::Status::Busy) return {nullptr, path + ": " + lock.reason(), true};
    if (!lock.held()) return {nullptr, lock.reason()};
    held_.emplace(path, std::move(lock));
  }
  return inner_.open(path);
}

std::string SharedUnitLockFile(const std::string& devicePath) {
  std::string name = "tarnvik-";
  for (const char c : devicePath) name += Plain(c) ? c : '_';
  return platform::TextOf(platform::PathOf(platform::SharedLockFolder()) / platform::PathOf(name + ".lock"));
}

}  // namespace tarnvik
