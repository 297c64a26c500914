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
  static ClosedOutput closed;
  if (platform::PrepareStandardStreams()) out.rdbuf(&closed);
}

}  // namespace tarnvik::cli
