// kxprint: runs an XPS document through the driver's filter chain. A thin shell: parse the
// command line, run the job, print one line when it did not succeed.
#include <unistd.h>

#include <cstdio>

#include "command_line.h"
#include "kxprint_job.h"

int main(int argc, char** argv) {
  using namespace kx::kxprint;
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const ParseResult parsed = ParseCommandLine(arguments);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "kxprint: %s\nTry 'kxprint --help'.\n", parsed.error.c_str());
    return kExitUsage;
  }
  if (parsed.commandLine.help) {
    std::fputs(HelpText().c_str(), stdout);
    return kExitSuccess;
  }
  if (parsed.commandLine.version) {
    std::printf("kxprint %s\n", KX_VERSION);
    return kExitSuccess;
  }
  const Outcome outcome = RunKxprint(parsed.commandLine, stderr, isatty(STDERR_FILENO) == 1);
  if (outcome.exitCode != kExitSuccess) {
    std::fprintf(stderr, "kxprint: %s\n", outcome.message.c_str());
    if (outcome.exitCode == kExitUsage) std::fputs("Try 'kxprint --help'.\n", stderr);
  }
  return outcome.exitCode;
}
