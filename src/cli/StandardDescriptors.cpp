#include "cli/StandardDescriptors.h"

#include <ostream>
#include <streambuf>

#include "platform/Process.h"

namespace tarnvik::cli {

namespace {

// Takes no byte: the first write fails, as on a closed descriptor.
class ClosedOutput : public std::streambuf {};

}  // namespace

void KeepStandardDescriptors(std::ostream& out) {
  // Never destroyed: the streams' last flush at exit may still reach it.
  static ClosedOutput* const closed = new ClosedOutput;
  if (platform::PrepareStandardStreams()) out.rdbuf(closed);
}

}  // namespace tarnvik::cli
