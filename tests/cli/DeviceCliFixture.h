#pragma once
// The device commands run as processes against a simulated unit kept in a
// folder, as a script or an operator without hardware would run them.

#include <fstream>
#include <string>
#include <vector>

#include "CliFixture.h"
#include "support/FoundLine.h"

namespace tarnvik::test {

class DeviceCli : public Cli {
 protected:
  using Cli::run;
  // Runs the tool (paths without blanks or quotes); `env` goes in front.
  RunResult run(const std::string& args, const std::string& env) { return RunTool(args, folder.root(), env); }
  RunResult device(const std::string& args) { return run(args + " --simulate " + platform::TextOf(unit)); }
  void faults(const std::string& lines) { std::ofstream(unit / "faults") << lines; }
  // The start-up settings saved as a file, written to the unit.
  void writeDefaults() {
    ASSERT_EQ(run("defaults --utc 2026-07-03T09:05 -o " + path("start.cfg")).status, 0);
    ASSERT_EQ(device("write " + path("start.cfg") + " --utc 2026-07-03T09:05 --stamp 77").status, 0);
  }
  static std::vector<std::string> pages(const char* prefix, int from, int to, int total) {
    std::vector<std::string> lines;
    for (int n = from; n <= to; ++n) lines.push_back(prefix + std::to_string(n) + "/" + std::to_string(total));
    return lines;
  }

  fs::path unit = dir / "unit";
};

}  // namespace tarnvik::test
