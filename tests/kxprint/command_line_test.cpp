#include <gtest/gtest.h>

#include "command_line.h"

namespace kx::kxprint {
namespace {

ParseResult Parse(std::vector<std::string_view> arguments) { return ParseCommandLine(arguments); }

TEST(CommandLine, ValuesLandInTheirFieldsInEitherSpelling) {
  const ParseResult parsed = Parse({"--ticket=job.xml", "in.xps", "-o", "out.xps", "--printer",
                                    "Desk", "--stop-after", "kxlayout", "--trace"});
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.commandLine.input, "in.xps");
  EXPECT_EQ(parsed.commandLine.output, "out.xps");
  EXPECT_EQ(parsed.commandLine.ticket, "job.xml");
  EXPECT_EQ(parsed.commandLine.printer, "Desk");
  EXPECT_EQ(parsed.commandLine.stopAfter, "kxlayout");
  EXPECT_TRUE(parsed.commandLine.trace);
  // After "--" everything is a file, even what looks like an option.
  EXPECT_EQ(Parse({"-o", "out.xps", "--", "-odd.xps"}).commandLine.input, "-odd.xps");
  EXPECT_EQ(Parse({"--", "a.xps", "-o"}).error, "more than one input file: '-o'");
}

TEST(CommandLine, UsageErrorsNameTheProblem) {
  struct Case {
    std::vector<std::string_view> arguments;
    const char* error;
  } cases[] = {
      {{}, "no input file"},
      {{"in.xps"}, "no output file (-o FILE)"},
      {{"in.xps", "-o"}, "option '-o' needs a FILE"},
      {{"in.xps", "-o", "out.xps", "--colour"}, "unknown option '--colour'"},
      {{"in.xps", "-o", "out.xps", "--trace=yes"}, "option '--trace' takes no value"},
      {{"in.xps", "-o", "out.xps", "--printer="}, "option '--printer' needs a value"},
      {{"a.xps", "b.xps", "-o", "out.xps"}, "more than one input file: 'b.xps'"},
  };
  for (const Case& c : cases) EXPECT_EQ(Parse(c.arguments).error, c.error);
  EXPECT_EQ(Parse({"--help"}).error, "");  // help needs no files
}

TEST(CommandLine, TicketCommandsTakeTheirFiles) {
  const ParseResult merge = Parse({"ticket", "merge", "base.xml", "delta.xml", "--driver", "d"});
  ASSERT_EQ(merge.error, "");
  EXPECT_EQ(merge.commandLine.ticketCommand,
            (std::vector<std::string>{"merge", "base.xml", "delta.xml"}));
  EXPECT_EQ(merge.commandLine.driver, "d");
  EXPECT_EQ(Parse({"ticket", "devmode", "t.xml"}).commandLine.ticketCommand.size(), 2u);
  EXPECT_EQ(Parse({"ticket", "caps", "a.xml", "b.xml"}).error, "ticket caps: takes 1 file");
  EXPECT_EQ(Parse({"ticket", "merge", "a.xml"}).error, "ticket merge: takes 2 files");
  EXPECT_EQ(Parse({"ticket", "print"}).error,
            "ticket: say merge BASE DELTA, caps TICKET or devmode TICKET");
}

TEST(CommandLine, HelpListsEveryOptionOfTheTable) {
  const std::string help = HelpText();
  for (const OptionSpec& option : kOptions) {
    EXPECT_NE(help.find(option.name), std::string::npos) << option.name;
    EXPECT_NE(help.find(option.help), std::string::npos) << option.name;
  }
}

}  // namespace
}  // namespace kx::kxprint
