// RunPrintJob: one print job through the driver's filter chain, as the print pipeline runs it.
//
// Loads each filter's module, creates the filter through DllGetClassObject and initialises it
// with a communicator, the property bag ("PrintClassFactory", "PrinterName", "PrintJobId",
// "PerUserPrintTicket") and a manager control; runs every StartOperation on its own thread,
// parts flowing from the package reader through bounded queues to the output. A filter's
// RequestShutdown or failure stops the whole job: ShutdownOperation to every other filter and
// every queue aborted, so no thread stays blocked; all threads are joined before it returns.
// The output appears under its name only when the job succeeded. Modules are unloaded at the
// end when their DllCanUnloadNow allows it.
#pragma once

#include <functional>
#include <string>

#include "pipeline_config.h"
#include "winerror.h"

namespace kx::pipeline {

struct PrintJobOptions {
  std::string input;   // the XPS package
  std::string output;  // the XPS package, or printer data when the last filter makes it
  PipelineConfig config;
  int lastFilter = -1;     // the last filter to run (LastFilterToRun); -1: the last XPS one
  std::string userTicket;  // the per-user ticket file
  std::string jobTicket;   // a job ticket file attached to the sequence; empty: none
  std::string printerName = "Kexley Inkjet";
  ULONG jobId = 1;
  std::size_t queueCapacity = 16;        // parts waiting between two filters
  std::function<void(unsigned)> onPage;  // after each page written, from a job thread
};

struct PrintJobResult {
  HRESULT hr = S_OK;
  std::string message;  // one line naming the cause; empty on success
  unsigned pages = 0;   // pages written
};

PrintJobResult RunPrintJob(const PrintJobOptions& options);

}  // namespace kx::pipeline
