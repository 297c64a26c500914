// tarnvik-cli: configuration files and images of the Tarnvik unit without
// the window, for scripts. It runs the same core code as the configurator.
#include <iostream>
#include <string>
#include <vector>

#include "cli/StandardDescriptors.h"
#include "cli/Tool.h"
#include "platform/Process.h"

int main(int argc, char** argv) {
  tarnvik::cli::KeepStandardDescriptors(std::cout);
  // A console shows the names and values as characters; pipes and files get the bytes.
  tarnvik::platform::ShowTextOnConsoles(std::cout, std::cerr);
  // In UTF-8 on every system (on Windows from the wide command line).
  const std::vector<std::string> arguments = tarnvik::platform::CommandLineArguments(argc, argv);
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  return tarnvik::cli::RunTool(static_cast<int>(pointers.size()), pointers.data(), std::cout, std::cerr);
}
