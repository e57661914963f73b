// What the pipeline benchmarks share: the generated 500-page document (written once per run)
// and the options of a print job through the driver's filters with the default ticket.
#pragma once

#include <string>

#include "package_builder.h"
#include "print_job.h"

namespace kx::bench {

inline constexpr int kDocumentPages = 500;

inline std::string WriteBenchDocument(const char* name, bool ticketOnEveryPage) {
  const std::string file = kx::test::TemporaryPath(name);
  kx::test::WriteZip(file, kx::test::MakeXpsItems({.pagesPerDocument = kDocumentPages,
                                                   .ticketOnEveryPage = ticketOnEveryPage,
                                                   .pageFiller = 8000}));
  return file;
}

inline const std::string& BenchDocument() {
  static const std::string path = WriteBenchDocument("bench.xps", false);
  return path;
}

// The same with every page referring to one page ticket, as Windows' document writers do.
inline const std::string& TicketedBenchDocument() {
  static const std::string path = WriteBenchDocument("bench-tickets.xps", true);
  return path;
}

// The document (BenchDocument unless given) through the driver's filter chain into output.
inline kx::pipeline::PrintJobOptions DriverJob(const std::string& output,
                                               const std::string& input = BenchDocument()) {
  kx::pipeline::PrintJobOptions options;
  options.input = input;
  options.output = output;
  options.config = kx::pipeline::LoadPipelineConfig(KX_DRIVER_DIR "/pipeline_config.xml");
  options.userTicket = KX_DRIVER_DIR "/default_ticket.xml";
  return options;
}

}  // namespace kx::bench
