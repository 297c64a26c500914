#pragma once
// What a program asks of its own process: its arguments, its environment and
// its standard streams, each as text in UTF-8 and bytes as they are.

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvik::platform {

// The program's arguments as main() got them, in UTF-8: on Windows they are
// taken from the wide command line instead, so that a name in any language
// (a Chinese file name, `Käyttäjä\unit.cfg`) arrives whole whatever the code
// page; on POSIX systems they are argv itself.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// The environment variable `name` in UTF-8; nothing when it is not set.
std::optional<std::string> EnvironmentVariable(const char* name);

// Readies the standard streams before any file is opened. Returns whether
// standard output was closed when the program started; the caller then makes
// its output fail at the first write, as writing to a closed stream does.
//  - POSIX: a program started with descriptor 0, 1 or 2 closed (">&-") would
//    open its first files there, and its log lines would land in them; each
//    closed one is opened on /dev/null first.
//  - Windows: the three streams are switched to binary mode, so that the C
//    runtime neither turns LF into CR LF on output nor takes CR LF apart or
//    byte 0x1A for the end on input: a .cfg or an image on standard output is
//    the file's bytes exactly. A stream without a handle takes no file's
//    place there (files are handles, not numbered descriptors), so nothing is
//    opened for it.
bool PrepareStandardStreams();

// Makes `out` and `err`, the program's standard output and error, show their
// text on a console as characters (ConsoleText.h) where the stream is one: a
// Windows console shows bytes in an old code page of its own, in which UTF-8
// names and ISO 8859-1 values are garbage. Pipes and files, and every stream
// on POSIX systems, keep the bytes. Call after PrepareStandardStreams.
void ShowTextOnConsoles(std::ostream& out, std::ostream& err);

enum class StandardStream { Output, Error };

// Writes `text` (the program's bytes, as above) to its standard output or
// error. A program that has none there, such as a window program (Windows
// gives it no console) started from a console, writes to the console of the
// program that started it. False when there is neither, or the text could
// not be written: the caller shows it another way.
bool WriteToStandardStream(StandardStream stream, std::string_view text);

}  // namespace tarnvik::platform
