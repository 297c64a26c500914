// A second program for the lock tests, on every system:
//   lock_holder file|change|device PATH keep|soon|replace|probe
// takes the lock (TryLockFile, LockForChange waiting 400 ms, 0 ms for probe,
// or TryLockDevice), prints its status as a number and a line end, then keeps it until
// its standard input ends (keep), lets go after 100 ms (soon), puts a new
// file in PATH's place before it lets go (replace), or ends at once (probe).
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "platform/FileLock.h"
#include "platform/PathText.h"
#include "platform/Process.h"
#include "platform/StagedFile.h"

using tarnvik::platform::FileLock;

namespace {

void PutNewFileInPlace(const std::string& path) {
  tarnvik::platform::StagedFile staged(tarnvik::platform::TextOf(tarnvik::platform::PathOf(path).parent_path()));
  if (!staged.write("replacement") || !staged.finish() ||
      staged.replace(path) != tarnvik::platform::StagedFile::Placed::Done)
    std::cerr << "lock_holder: " << staged.error() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments = tarnvik::platform::CommandLineArguments(argc, argv);
  if (arguments.size() != 4) return 2;
  const std::string &kind = arguments[1], &path = arguments[2], &then = arguments[3];
  const std::chrono::milliseconds wait(then == "probe" ? 0 : 400);
  const FileLock lock = kind == "file"     ? FileLock::TryLockFile(path)
                        : kind == "device" ? FileLock::TryLockDevice(path)
                                           : FileLock::LockForChange(path, wait);
  std::cout << static_cast<int>(lock.status()) << std::endl;
  if (then == "keep") {
    for (std::string line; std::getline(std::cin, line);) {
    }
  } else if (then == "soon" || then == "replace") {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (then == "replace") PutNewFileInPlace(path);
  }
  return 0;
}
