// Help that teaches: examples under every command's help, and the nearest
// valid command or option for a mistyped one.
#include <gtest/gtest.h>

#include "CliFixture.h"

namespace tarnvik {
namespace {

using test::Cli;
using test::RunResult;

const char* const kCommands[] = {"defaults", "check", "encode", "decode",   "diff",    "get",
                                 "set",      "read",  "write",  "firmware", "version", "list"};

const std::string kMore = "Run tarnvik-cli --help, or tarnvik-cli COMMAND --help, for more information.\n";

TEST_F(Cli, TheHelpOfTheToolAndOfEveryCommandEndsWithAnExample) {
  const RunResult help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Examples:\n  tarnvik-cli defaults -o template.cfg\n"), std::string::npos) << help.out;
  for (const char* command : kCommands) {
    EXPECT_NE(help.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    const RunResult own = run(std::string(command) + " --help");
    EXPECT_EQ(own.status, 0) << command;
    EXPECT_EQ(own.err, "") << command;
    const auto examples = own.out.find("\nExample");
    ASSERT_NE(examples, std::string::npos) << command;
    EXPECT_NE(own.out.find(std::string("tarnvik-cli ") + command, examples), std::string::npos) << command;
  }
}

TEST_F(Cli, AMistypedCommandOrOptionGetsTheNearestValidOne) {
  const std::pair<std::string, std::string> cases[] = {
      {"wirte x.cfg", "Unknown command \"wirte\". Did you mean \"write\"?\n"},
      {"dif a b", "Unknown command \"dif\". Did you mean \"diff\"?\n"},
      {"frobnicate",
       "Unknown command \"frobnicate\". The commands are: defaults, check, encode, decode, diff, get, "
       "set, read, write, firmware, version, list.\n"},
      {"write x.cfg --verfy", "Unknown option \"--verfy\" for write. Did you mean \"--verify\"?\n"},
      {"get x.cfg Ptt --entires", "Unknown option \"--entires\" for get. Did you mean \"--entries\"?\n"},
      {"write x.cfg --backup=b.cfg --timout-ms 5",
       "Unknown option \"--timout-ms\" for write. Did you mean "
       "\"--timeout-ms\"?\n"},
      {"read -o x.cfg --verify", "Unknown option \"--verify\" for read. It is an option of: write.\n"},
      {"write x.cfg -ox.cfg",
       "Unknown option \"-o\" for write. It is an option of: defaults, encode, decode, set, "
       "read.\n"},
      {"list --zzzzzz",
       "Unknown option \"--zzzzzz\" for list. Its options are: --help, -h, --simulate, "
       "--device, --timeout-ms, --trace, --utc.\n"},
  };
  for (const auto& [args, hint] : cases) {
    const RunResult refused = run(args);
    EXPECT_EQ(refused.status, 2) << args;
    EXPECT_EQ(refused.out, "") << args;
    const auto at = refused.err.find('\n');
    ASSERT_NE(at, std::string::npos) << args;
    EXPECT_EQ(refused.err.substr(at + 1), hint + kMore) << args;
  }
  const RunResult nothing = run("");
  EXPECT_EQ(nothing.status, 2);
  EXPECT_EQ(nothing.err, "A subcommand is required\n" + kMore);
}

}  // namespace
}  // namespace tarnvik
