#pragma once
// For the configuration file tests: the shared file helpers, and a way to run
// a save in a child process (with fewer rights or a file size limit) and
// learn how it ended.

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "support/TestFiles.h"

namespace tarnvik::test {

// Runs `body` in a forked child and returns its exit status (-1: it crashed).
inline int RunInChild(const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body());
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tarnvik::test
