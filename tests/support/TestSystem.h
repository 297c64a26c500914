#pragma once
// What the tests need of the system they run on, where systems differ: a
// private folder, the process's environment, where the programs built beside
// the test live, and other programs started with their standard streams
// caught. posix/ and windows/ implement it; the test sources stay the same.

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tarnvik::test {

// Whether the system is a POSIX one, which has devices such as /dev/zero and
// /dev/full, named pipes, symbolic links any user may make, and users that a
// test may switch between; cases that need them are skipped elsewhere.
bool OnPosix();

// The systems a case of a table runs on.
enum class OnlyOn { Any, Posix, Windows };
inline bool RunsHere(OnlyOn only) { return only == OnlyOn::Any || (only == OnlyOn::Posix) == OnPosix(); }

// Makes a named pipe (a FIFO) at `path`; false where the system has none
// in its file system (Windows).
bool MakeNamedPipe(const std::string& path);

// Makes `folder` sticky and writable by every user, as the system's temporary
// folders are, with a symbolic link `name` in it to `target`, given to
// another user. True when the link is another user's now: only root may give
// it away, and only POSIX systems have such folders.
bool PlantLink(const std::string& folder, const std::string& name, const std::string& target);

// The user that tests which give up root's rights become (POSIX: nobody).
inline constexpr unsigned kUnprivilegedUser = 65534;

// Lends `folder` to the user that tests which give up root's rights become,
// when running as root, and makes it private to its owner: a folder such a
// child keeps its own state in (its cache folder). Nothing on Windows.
void LendToUnprivileged(const std::string& folder);

// A new folder under `base` named `prefix` and a random part, made for this
// caller alone (private to the user on POSIX systems).
std::filesystem::path MakeUniqueFolder(const std::filesystem::path& base, const std::string& prefix);

// Sets or, with no value, removes a variable of the process's environment
// (UTF-8 on every system).
void SetEnvironment(const char* name, const char* value);

// The variable that names the user's cache folder (platform::UserCacheFolder).
const char* CacheFolderVariable();

// The program `name` built beside the running test program (".exe" added on
// Windows).
std::string ProgramBesideTests(const std::string& name);

// Runs a program to its end: `arguments` from its path on, standard input
// from the file `input` (nothing when empty), standard output and error into
// the files `output` and `errors`, `environment` ("NAME=value") added to the
// test's own. Its exit status; -1 when it did not end by itself (a crash, a
// signal, an abort).
int RunProgram(const std::vector<std::string>& arguments, const std::string& input, const std::string& output,
               const std::string& errors, const std::vector<std::string>& environment = {});

// Another program running beside the test, which reads lines from the test
// on its standard input and writes lines back on its standard output.
class OtherProcess {
 public:
  explicit OtherProcess(const std::vector<std::string>& arguments);
  // Closes its input and waits for it to end.
  ~OtherProcess();
  OtherProcess(const OtherProcess&) = delete;
  OtherProcess& operator=(const OtherProcess&) = delete;

  bool started() const;
  // Its next line (without the line end); empty when it ended without one.
  std::string readLine();
  void writeLine(const std::string& line);
  // Closes its standard input and waits for it to end: its exit status, -1
  // when it did not end by itself.
  int finish();

 private:
  struct Handles;
  std::unique_ptr<Handles> handles_;
};

}  // namespace tarnvik::test
