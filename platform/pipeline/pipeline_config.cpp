#include "pipeline_config.h"

#include <fstream>
#include <sstream>

#include "filterpipeline.h"
#include "kx/utf16.h"
#include "markup_reader.h"
#include "objbase.h"
#include "package_error.h"

namespace kx::pipeline {
namespace {

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

GUID ParseGuid(xps::MarkupReader& reader, const char* attribute) {
  const std::string text = reader.Attribute(attribute).value_or("");
  GUID guid{};
  if (FAILED(CLSIDFromString(Utf8ToUtf16(text).c_str(), &guid)))
    reader.Fail(std::string(attribute) + " \"" + text + "\" is not a GUID");
  return guid;
}

}  // namespace

PipelineConfig LoadPipelineConfig(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) xps::ThrowPackageError(xps::kMissingPart, path + ": cannot be read");
  std::ostringstream bytes;
  bytes << file.rdbuf();

  PipelineConfig config{path, {}};
  xps::MarkupReader reader(bytes.str(), path);
  if (!reader.NextElement() || reader.LocalName() != "Filters")
    reader.Fail("not a pipeline configuration");
  std::string moduleDirectory = DirectoryOf(path);
  if (const auto relative = reader.Attribute("moduleDirectory"))
    moduleDirectory = relative->starts_with("/") ? *relative : moduleDirectory + "/" + *relative;

  while (reader.NextElement()) {
    if (reader.LocalName() == "Filter") {
      const auto dll = reader.Attribute("dll");
      if (!dll || dll->empty() || dll->find('/') != std::string::npos)
        reader.Fail("a Filter needs a dll attribute naming a module file");
      FilterEntry entry{reader.Attribute("name").value_or(*dll), moduleDirectory + "/" + *dll,
                        ParseGuid(reader, "clsid"), true};
      config.filters.push_back(std::move(entry));
    } else if (reader.LocalName() == "Output") {
      if (config.filters.empty()) reader.Fail("Output outside a Filter");
      config.filters.back().producesXps =
          IsEqualIID(ParseGuid(reader, "guid"), IID_IXpsDocumentConsumer);
    }
  }
  if (config.filters.empty()) reader.Fail("no filters");
  return config;
}

int LastFilterToRun(const PipelineConfig& config, const std::string& stopAfter) {
  int last = -1;
  for (std::size_t i = 0; i < config.filters.size(); ++i) {
    const FilterEntry& filter = config.filters[i];
    if (stopAfter.empty() ? filter.producesXps : filter.name == stopAfter)
      last = static_cast<int>(i);
    if (stopAfter.empty() && !filter.producesXps) break;
  }
  return last;
}

}  // namespace kx::pipeline
