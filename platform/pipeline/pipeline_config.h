// The driver's pipeline configuration: the filters of the chain in order, each by module file
// and class identifier, with the interface its output is (XPS parts, or printer data).
#pragma once

#include <string>
#include <vector>

#include "guiddef.h"

namespace kx::pipeline {

struct FilterEntry {
  std::string name;        // "kxlayout"
  std::string modulePath;  // the module file, resolved against the configuration
  CLSID classId;
  bool producesXps;  // output IXpsDocumentConsumer; otherwise a byte stream (IPrintWriteStream)
};

struct PipelineConfig {
  std::string path;
  std::vector<FilterEntry> filters;
};

// Reads the configuration file; module files are resolved against its moduleDirectory
// attribute (relative to the file; default its own directory). Throws xps::PackageError with a
// message naming the file.
PipelineConfig LoadPipelineConfig(const std::string& path);

// The index of the last filter to run: the named one, or with an empty name the last filter
// whose output is XPS. -1 when there is no such filter.
int LastFilterToRun(const PipelineConfig& config, const std::string& stopAfter);

}  // namespace kx::pipeline
