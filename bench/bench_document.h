// What the pipeline benchmarks share: the generated 500-page document (written once per run)
// and the options of a print job through the driver's filters with the default ticket.
#pragma once

#include <string>

#include "package_builder.h"
#include "print_job.h"

namespace kx::bench {

inline constexpr int kDocumentPages = 500;

inline const std::string& BenchDocument() {
  static const std::string path = [] {
    const std::string file = kx::test::TemporaryPath("bench.xps");
    kx::test::WriteZip(
        file, kx::test::MakeXpsItems({.pagesPerDocument = kDocumentPages, .pageFiller = 8000}));
    return file;
  }();
  return path;
}

// The document through the driver's filter chain into output.
inline kx::pipeline::PrintJobOptions DriverJob(const std::string& output) {
  kx::pipeline::PrintJobOptions options;
  options.input = BenchDocument();
  options.output = output;
  options.config = kx::pipeline::LoadPipelineConfig(KX_DRIVER_DIR "/pipeline_config.xml");
  options.userTicket = KX_DRIVER_DIR "/default_ticket.xml";
  return options;
}

}  // namespace kx::bench
