// kxprint's command line: one table of options, read by both the parser and the help text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::kxprint {

struct CommandLine {
  // "kxprint ticket merge BASE DELTA", "ticket caps TICKET", "ticket devmode TICKET".
  std::vector<std::string> ticketCommand;
  std::string input;
  std::string output;
  std::string ticket;
  std::string userTicket;
  std::string printer;
  std::string driver;
  std::string stopAfter;
  bool trace = false;
  bool help = false;
  bool version = false;
};

struct OptionSpec {
  std::string_view name;       // "--ticket"
  std::string_view shortName;  // "-o", or empty
  std::string_view valueName;  // "FILE"; empty for a flag
  std::string_view help;
  std::string CommandLine::*value;  // where a value goes
  bool CommandLine::*flag;          // where a flag goes
};

inline constexpr OptionSpec kOptions[] = {
    {"--output", "-o", "FILE", "the XPS document to write (required)", &CommandLine::output,
     nullptr},
    {"--ticket", "", "FILE", "a job print ticket, attached to the document sequence",
     &CommandLine::ticket, nullptr},
    {"--user-ticket", "", "FILE", "the per-user print ticket (default: the driver's default)",
     &CommandLine::userTicket, nullptr},
    {"--printer", "", "NAME", "the printer name the filters see (default: Kexley Inkjet)",
     &CommandLine::printer, nullptr},
    {"--driver", "", "DIR", "the driver directory with pipeline_config.xml and default_ticket.xml",
     &CommandLine::driver, nullptr},
    {"--stop-after", "", "FILTER", "run the chain up to and including this filter",
     &CommandLine::stopAfter, nullptr},
    {"--trace", "", "", "print the filter modules' trace events", nullptr, &CommandLine::trace},
    {"--help", "-h", "", "show this help and exit", nullptr, &CommandLine::help},
    {"--version", "", "", "show the version and exit", nullptr, &CommandLine::version},
};

struct ParseResult {
  CommandLine commandLine;
  std::string error;  // a usage error; empty when the command line is good
};

ParseResult ParseCommandLine(const std::vector<std::string_view>& arguments);

std::string HelpText();

}  // namespace kx::kxprint
