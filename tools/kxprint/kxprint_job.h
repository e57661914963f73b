// KxprintJob: what one kxprint command does, apart from reading argv and printing: finds the
// driver, checks the options against its pipeline configuration, runs the print job and says
// how it ended. Tests drive it directly.
#pragma once

#include <cstdio>
#include <string>

#include "command_line.h"

namespace kx::kxprint {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitJobFailed = 1;
inline constexpr int kExitUsage = 2;

struct Outcome {
  int exitCode = kExitSuccess;
  std::string message;  // the one line to print when the command did not succeed
};

// Progress ("N pages") and trace events go to `diagnostics`; progress only when `showProgress`.
Outcome RunKxprint(const CommandLine& line, std::FILE* diagnostics, bool showProgress);

// The ticket commands: the result goes to `out`.
Outcome RunTicketCommand(const CommandLine& line, std::FILE* out);

// The driver directory used without --driver: "../driver" beside the running program.
std::string DefaultDriverDirectory();

}  // namespace kx::kxprint
