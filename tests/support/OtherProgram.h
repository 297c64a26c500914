#pragma once
// A second program for tests of what two programs do at once: a forked child
// that runs a body, tells the test a number (how a lock went) and, on request,
// waits until the test lets it go on. Its locks and open files are its own, as
// another program's would be. And a body run in a forked child (with fewer
// rights or a file size limit) to learn how it ended. POSIX systems only.

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

namespace tarnvik::test {

class OtherProgram {
 public:
  // What the body uses to talk to the test.
  class Channel {
   public:
    Channel(int toTest, int fromTest) : toTest_(toTest), fromTest_(fromTest) {}
    void tell(int report) const {
      if (::write(toTest_, &report, sizeof report) != sizeof report) ::_exit(97);
    }
    // Returns once the test called release().
    void awaitRelease() const {
      char go = 0;
      if (::read(fromTest_, &go, 1) < 0) ::_exit(96);
    }

   private:
    int toTest_;
    int fromTest_;
  };

  // Starts the child and waits until its body has told its number (or ended).
  explicit OtherProgram(const std::function<void(const Channel&)>& body) {
    std::signal(SIGPIPE, SIG_IGN);  // a child that has already ended is not told in vain
    int toTest[2], fromTest[2];
    if (::pipe(toTest) != 0 || ::pipe(fromTest) != 0) return;
    child_ = ::fork();
    if (child_ == 0) {
      ::close(toTest[0]);
      ::close(fromTest[1]);
      ::alarm(30);  // a child that hangs ends, and shows as killed
      try {
        body(Channel(toTest[1], fromTest[0]));
      } catch (...) {
        ::_exit(95);  // never back into the test program's own code
      }
      ::_exit(0);
    }
    ::close(toTest[1]);
    ::close(fromTest[0]);
    fromChild_ = toTest[0];
    toChild_ = fromTest[1];
    if (::read(fromChild_, &told_, sizeof told_) != sizeof told_) told_ = -1;
  }
  ~OtherProgram() { release(); }
  OtherProgram(const OtherProgram&) = delete;
  OtherProgram& operator=(const OtherProgram&) = delete;

  // The number the body told; -1 when it ended without telling one.
  int told() const { return told_; }

  // Lets the body go on, without waiting for it (to let two go at once).
  void letGo() {
    if (toChild_ < 0) return;
    if (::write(toChild_, "g", 1) != 1) {
      // It has ended already.
    }
    ::close(toChild_);
    toChild_ = -1;
  }

  // Lets the body go on and waits for the child to end; its exit status, -1
  // when it was killed.
  int release() {
    if (child_ <= 0) return status_;
    letGo();
    ::close(fromChild_);
    int status = 0;
    ::waitpid(child_, &status, 0);
    child_ = -1;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return status_;
  }

 private:
  pid_t child_ = -1;
  int toChild_ = -1;
  int fromChild_ = -1;
  int told_ = -1;
  int status_ = -1;
};

// Runs `body` in a forked child and returns its exit status (-1: it crashed).
inline int RunInChild(const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body());
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tarnvik::test
