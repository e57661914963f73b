#include "command_line.h"

namespace kx::kxprint {
namespace {

const OptionSpec* FindOption(std::string_view name) {
  for (const OptionSpec& option : kOptions)
    if (name == option.name || (!option.shortName.empty() && name == option.shortName))
      return &option;
  return nullptr;
}

// The operands (the command included) a ticket command takes, after "ticket".
std::size_t TicketOperands(std::string_view command) {
  if (command == "merge") return 3;
  if (command == "caps" || command == "devmode") return 2;
  return 0;
}

}  // namespace

ParseResult ParseCommandLine(const std::vector<std::string_view>& arguments) {
  ParseResult result;
  CommandLine& line = result.commandLine;
  bool optionsEnded = false;
  std::vector<std::string> operands;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view argument = arguments[i];
    if (optionsEnded || argument == "-" || !argument.starts_with("-")) {
      operands.emplace_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    std::optional<std::string_view> attached;
    if (const std::size_t equals = argument.find('=');
        argument.starts_with("--") && equals != std::string_view::npos) {
      attached = argument.substr(equals + 1);
      argument = argument.substr(0, equals);
    }
    const OptionSpec* option = FindOption(argument);
    if (!option) return {line, "unknown option '" + std::string(argument) + "'"};
    if (option->valueName.empty()) {
      if (attached) return {line, "option '" + std::string(argument) + "' takes no value"};
      line.*(option->flag) = true;
      continue;
    }
    if (!attached && i + 1 == arguments.size())
      return {line,
              "option '" + std::string(argument) + "' needs a " + std::string(option->valueName)};
    const std::string_view value = attached ? *attached : arguments[++i];
    if (value.empty()) return {line, "option '" + std::string(argument) + "' needs a value"};
    line.*(option->value) = value;
  }
  if (line.help || line.version) return result;
  if (!operands.empty() && operands.front() == "ticket") {
    operands.erase(operands.begin());
    const std::size_t wanted = operands.empty() ? 0 : TicketOperands(operands.front());
    if (wanted == 0) return {line, "ticket: say merge BASE DELTA, caps TICKET or devmode TICKET"};
    if (operands.size() != wanted)
      return {line, "ticket " + operands.front() + ": takes " + std::to_string(wanted - 1) +
                        (wanted == 3 ? " files" : " file")};
    line.ticketCommand = std::move(operands);
    return result;
  }
  if (operands.size() > 1) return {line, "more than one input file: '" + operands[1] + "'"};
  if (!operands.empty()) line.input = operands.front();
  if (line.input.empty()) return {line, "no input file"};
  if (line.output.empty()) return {line, "no output file (-o FILE)"};
  return result;
}

std::string HelpText() {
  std::string text =
      "Usage: kxprint [options] INPUT.xps -o OUTPUT.xps\n"
      "       kxprint [options] ticket merge BASE.xml DELTA.xml\n"
      "       kxprint [options] ticket caps TICKET.xml\n"
      "       kxprint [options] ticket devmode TICKET.xml\n"
      "Runs an XPS document through the Kexley printer driver's filters and writes the result.\n"
      "The ticket commands print the merged and validated ticket, the print capabilities for a\n"
      "ticket, or the DEVMODE fields of a ticket, as the driver's print ticket service makes "
      "them.\n"
      "\nOptions:\n";
  for (const OptionSpec& option : kOptions) {
    std::string names = "  ";
    if (!option.shortName.empty()) (names += option.shortName) += ", ";
    names += option.name;
    if (!option.valueName.empty()) (names += ' ') += option.valueName;
    names.resize(std::max<std::size_t>(names.size() + 2, 30), ' ');
    (text += names) += option.help;
    text += '\n';
  }
  text += "\nExit status: 0 on success, 1 when the job fails, 2 for a usage error.\n";
  return text;
}

}  // namespace kx::kxprint
