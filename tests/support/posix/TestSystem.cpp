#include "support/TestSystem.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <system_error>

extern char** environ;

namespace tarnvik::test {

namespace fs = std::filesystem;

namespace {

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

pid_t Spawn(std::vector<std::string> arguments, const posix_spawn_file_actions_t& actions,
            const std::vector<std::string>& environment) {
  std::vector<std::string> variables(environment);
  for (char** variable = environ; *variable != nullptr; ++variable) variables.emplace_back(*variable);
  pid_t child = -1;
  if (::posix_spawn(&child, arguments.front().c_str(), &actions, nullptr, Pointers(arguments).data(),
                    Pointers(variables).data()) != 0)
    return -1;
  return child;
}

int Wait(pid_t child) {
  int status = 0;
  if (child <= 0 || ::waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

bool OnPosix() { return true; }

bool MakeNamedPipe(const std::string& path) { return ::mkfifo(path.c_str(), 0644) == 0; }

bool PlantLink(const std::string& folder, const std::string& name, const std::string& target) {
  const fs::path link = fs::path(folder) / name;
  if (::mkdir(folder.c_str(), 0777) != 0 || ::chmod(folder.c_str(), 01777) != 0) return false;
  if (::symlink(target.c_str(), link.c_str()) != 0) return false;
  return ::geteuid() == 0 && ::lchown(link.c_str(), kUnprivilegedUser, kUnprivilegedUser) == 0;
}

void LendToUnprivileged(const std::string& folder) {
  if (::geteuid() == 0 && ::chown(folder.c_str(), kUnprivilegedUser, kUnprivilegedUser) != 0)
    throw std::system_error(errno, std::generic_category(), "chown " + folder);
  ::chmod(folder.c_str(), 0700);
}

fs::path MakeUniqueFolder(const fs::path& base, const std::string& prefix) {
  std::string pattern = (base / (prefix + "XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr)
    throw fs::filesystem_error("mkdtemp", base, std::error_code(errno, std::generic_category()));
  return pattern;
}

void SetEnvironment(const char* name, const char* value) {
  if (value != nullptr)
    ::setenv(name, value, 1);
  else
    ::unsetenv(name);
}

const char* CacheFolderVariable() { return "XDG_CACHE_HOME"; }

std::string ProgramBesideTests(const std::string& name) {
  return (fs::read_symlink("/proc/self/exe").parent_path() / name).string();
}

int RunProgram(const std::vector<std::string>& arguments, const std::string& input, const std::string& output,
               const std::string& errors, const std::vector<std::string>& environment) {
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, 0, input.empty() ? "/dev/null" : input.c_str(), O_RDONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ::posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int status = Wait(Spawn(arguments, actions, environment));
  ::posix_spawn_file_actions_destroy(&actions);
  return status;
}

struct OtherProcess::Handles {
  pid_t child = -1;
  int toChild = -1;
  int fromChild = -1;
  int status = -1;
  std::string pending;
};

OtherProcess::OtherProcess(const std::vector<std::string>& arguments) : handles_(std::make_unique<Handles>()) {
  std::signal(SIGPIPE, SIG_IGN);  // a line to a process that has ended is lost, not fatal
  int input[2], output[2];
  if (::pipe2(input, O_CLOEXEC) != 0) return;
  if (::pipe2(output, O_CLOEXEC) != 0) {
    ::close(input[0]);
    ::close(input[1]);
    return;
  }
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_adddup2(&actions, input[0], 0);
  ::posix_spawn_file_actions_adddup2(&actions, output[1], 1);
  handles_->child = Spawn(arguments, actions, {});
  ::posix_spawn_file_actions_destroy(&actions);
  ::close(input[0]);
  ::close(output[1]);
  handles_->toChild = input[1];
  handles_->fromChild = output[0];
}

OtherProcess::~OtherProcess() { finish(); }

bool OtherProcess::started() const { return handles_->child > 0; }

std::string OtherProcess::readLine() {
  std::string& pending = handles_->pending;
  for (;;) {
    if (const std::size_t end = pending.find('\n'); end != std::string::npos) {
      std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      return line;
    }
    char buffer[256];
    const ssize_t got = handles_->fromChild < 0 ? 0 : ::read(handles_->fromChild, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return std::exchange(pending, {});
    pending.append(buffer, static_cast<std::size_t>(got));
  }
}

void OtherProcess::writeLine(const std::string& line) {
  const std::string bytes = line + "\n";
  if (handles_->toChild >= 0 && ::write(handles_->toChild, bytes.data(), bytes.size()) < 0) {
    // It has ended already.
  }
}

int OtherProcess::finish() {
  for (int* fd : {&handles_->toChild, &handles_->fromChild}) {
    if (*fd >= 0) ::close(*fd);
    *fd = -1;
  }
  if (handles_->child > 0) handles_->status = Wait(std::exchange(handles_->child, -1));
  return handles_->status;
}

}  // namespace tarnvik::test
