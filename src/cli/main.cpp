// tarnvik-cli: configuration files and images of the Tarnvik unit without
// the window, for scripts. It runs the same core code as the configurator.
#include <iostream>

#include "cli/StandardDescriptors.h"
#include "cli/Tool.h"

int main(int argc, char** argv) {
  tarnvik::cli::KeepStandardDescriptors(std::cout);
  return tarnvik::cli::RunTool(argc, argv, std::cout, std::cerr);
}
