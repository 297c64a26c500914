#pragma once
// A program started with standard input, output or error closed (">&-")
// would open its first files on those descriptors: its log lines would then
// land in a trace or an output file. So each of them that is closed at start
// is first opened on /dev/null (platform::PrepareStandardStreams, which also
// makes the streams binary on Windows); standard output, when it was closed,
// still refuses every byte, so that output written to it is reported as
// before ("Unable to write to standard output.").

#include <iosfwd>

namespace tarnvik::cli {

// Readies descriptors 0 to 2 and, when descriptor 1 was closed, makes `out`
// fail at its first write. Call before any file is opened.
void KeepStandardDescriptors(std::ostream& out);

}  // namespace tarnvik::cli
