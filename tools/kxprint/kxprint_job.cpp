#include "kxprint_job.h"

#include <cstdlib>
#include <optional>

#include "kx/module_identities.h"
#include "kx/trace_controller.h"
#include "kx/utf16.h"
#include "package_error.h"
#include "print_job.h"
#include "prntvpt.h"
#include "ticket_tools.h"
#include "winbase.h"

namespace kx::kxprint {
namespace {

constexpr ULONG kModuleEventsFlag = 0x4;
constexpr UCHAR kTraceLevel = 4;

std::string FilterNames(const pipeline::PipelineConfig& config) {
  std::string names;
  for (const auto& filter : config.filters) names += (names.empty() ? "" : ", ") + filter.name;
  return names;
}

// Enables the modules' trace providers for the job and prints what they emitted.
class TraceSession {
 public:
  explicit TraceSession(std::FILE* out) : out_(out) {
    for (const ModuleRecord& module : kModuleRecords)
      controller_.EnableProvider(module.traceControlGuid, kTraceLevel, kModuleEventsFlag);
  }
  ~TraceSession() {
    for (const TraceEvent& event : controller_.Events())
      std::fprintf(out_, "kxprint: trace: %s event %u (%s)\n", ModulesOf(event.messageGuid).c_str(),
                   event.messageNumber,
                   event.messageNumber == 10   ? "module loaded"
                   : event.messageNumber == 11 ? "module unloaded"
                                               : "other");
  }

 private:
  // Modules may share a message GUID; an event names them all.
  static std::string ModulesOf(const GUID& messageGuid) {
    std::string names;
    for (const ModuleRecord& module : kModuleRecords)
      if (module.traceMessageGuid == messageGuid)
        names += (names.empty() ? "" : " or ") + std::string(module.name);
    return names.empty() ? "an unknown module" : names;
  }

  std::FILE* out_;
  TraceController controller_;
};

}  // namespace

std::string DefaultDriverDirectory() {
  WCHAR path[4096];
  const DWORD length = GetModuleFileNameW(nullptr, path, 4096);
  std::string program = Utf16ToUtf8(std::u16string_view(path, length));
  program.erase(program.rfind('/') == std::string::npos ? 0 : program.rfind('/'));
  return (program.empty() ? "." : program) + "/../driver";
}

Outcome RunTicketCommand(const CommandLine& line, std::FILE* out) {
  const std::vector<std::string>& command = line.ticketCommand;
  const std::string printer = line.printer.empty() ? "Kexley Inkjet" : line.printer;
  std::vector<std::string> tickets;
  try {
    for (std::size_t i = 1; i < command.size(); ++i)
      tickets.push_back(pipeline::LoadTicketText(command[i]));
  } catch (const xps::PackageError& error) {
    return {kExitJobFailed, error.message};
  }
  std::string text;
  try {
    if (command[0] == "caps") {
      text = pipeline::CapabilitiesFor(tickets[0], printer);
    } else if (command[0] == "devmode") {
      text = pipeline::DevModeText(tickets[0], printer);
    } else {
      text = pipeline::MergeTickets(tickets[0], tickets[1], printer);
    }
  } catch (const xps::PackageError& error) {
    // The service's words say what is wrong; the file it is wrong in comes first.
    const bool delta = command[0] == "merge" && error.hr == E_DELTA_PRINTTICKET_FORMAT;
    return {kExitJobFailed, (delta ? command[2] : command[1]) + ": " + error.message};
  }
  std::fputs(text.c_str(), out);
  if (!text.empty() && text.back() != '\n') std::fputc('\n', out);
  return {};
}

Outcome RunKxprint(const CommandLine& line, std::FILE* diagnostics, bool showProgress) {
  // The print ticket service finds the device description through the same directory.
  if (!line.driver.empty()) setenv("KX_DRIVER_DIR", line.driver.c_str(), 1);
  if (!line.ticketCommand.empty()) return RunTicketCommand(line, stdout);
  const std::string driver = line.driver.empty() ? DefaultDriverDirectory() : line.driver;
  pipeline::PrintJobOptions options;
  try {
    options.config = pipeline::LoadPipelineConfig(driver + "/pipeline_config.xml");
  } catch (const xps::PackageError& error) {
    return {kExitJobFailed, error.message};
  }
  options.lastFilter = pipeline::LastFilterToRun(options.config, line.stopAfter);
  if (options.lastFilter < 0)
    return {kExitUsage, "--stop-after: no filter named '" + line.stopAfter + "' (the chain is " +
                            FilterNames(options.config) + ")"};

  options.input = line.input;
  options.output = line.output;
  options.userTicket = line.userTicket.empty() ? driver + "/default_ticket.xml" : line.userTicket;
  options.jobTicket = line.ticket;
  if (!line.printer.empty()) options.printerName = line.printer;
  bool progressShown = false;
  if (showProgress)
    options.onPage = [&](unsigned pages) {
      std::fprintf(diagnostics, "\rkxprint: %u page%s", pages, pages == 1 ? "" : "s");
      std::fflush(diagnostics);
      progressShown = true;
    };

  pipeline::PrintJobResult result;
  {
    std::optional<TraceSession> trace;
    if (line.trace) trace.emplace(diagnostics);
    result = pipeline::RunPrintJob(options);
    if (progressShown) std::fputc('\n', diagnostics);
  }
  if (FAILED(result.hr)) return {kExitJobFailed, result.message};
  return {};
}

}  // namespace kx::kxprint
