#include <dirent.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <fstream>

#include "hresult_text.h"
#include "kx/module_identities.h"
#include "package_builder.h"
#include "print_job.h"
#include "test_filter_module.h"

namespace kx::pipeline {
namespace {

std::string GuidText(const GUID& guid) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1,
                guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3],
                guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return text;
}

const CLSID& ModuleClass(const char* name) {
  for (const ModuleRecord& record : kModuleRecords)
    if (std::string(record.name) == name) return record.classId;
  throw std::invalid_argument(name);
}

const CLSID& TestClass(test::TestFilterKind kind) {
  for (const auto& [k, id] : test::kTestFilterClasses)
    if (k == kind) return id;
  throw std::invalid_argument("kind");
}

struct Link {
  std::string name;
  std::string module;
  CLSID classId;
};

// A configuration of the given chain beside the job's files.
PipelineConfig WriteConfig(const std::string& directory, const std::vector<Link>& chain) {
  const std::string path = directory + "/pipeline_config.xml";
  std::ofstream file(path);
  file << "<Filters moduleDirectory=\"" KX_MODULE_DIR "\">";
  for (const Link& link : chain)
    file << "<Filter dll=\"" << link.module << ".dll\" clsid=\"" << GuidText(link.classId)
         << "\" name=\"" << link.name
         << "\"><Output guid=\"{4368D8A2-4181-4A9F-B295-3D9A38BB9BA0}\"/></Filter>";
  file << "</Filters>";
  file.close();
  return LoadPipelineConfig(path);
}

Link Real(const char* name) { return {name, name, ModuleClass(name)}; }
Link TestLink(const char* name, test::TestFilterKind kind) {
  return {name, "kxtestfilter", TestClass(kind)};
}

std::vector<std::string> FilesIn(const std::string& directory) {
  std::vector<std::string> names;
  DIR* dir = opendir(directory.c_str());
  while (dirent* entry = readdir(dir))
    if (entry->d_name[0] != '.' || std::string(entry->d_name).starts_with(".out"))
      names.push_back(entry->d_name);
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

struct Job {
  std::string directory;
  PrintJobOptions options;
};

Job MakeJob(const std::vector<Link>& chain, int pages) {
  Job job;
  job.options.input = test::TemporaryPath("in.xps");
  job.directory = job.options.input.substr(0, job.options.input.rfind('/'));
  test::WriteZip(job.options.input, test::MakeXpsItems({.pagesPerDocument = pages}));
  job.options.output = job.directory + "/out.xps";
  job.options.userTicket = KX_DRIVER_DIR "/default_ticket.xml";
  job.options.config = WriteConfig(job.directory, chain);
  job.options.lastFilter = static_cast<int>(chain.size()) - 1;
  job.options.queueCapacity = 1;  // upstream filters block at once when nobody reads
  return job;
}

bool AnyFilterModuleLoaded() {
  for (const ModuleRecord& record : kModuleRecords) {
    const std::string path = std::string(KX_MODULE_DIR "/") + record.name + ".so";
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    if (handle) return true;
  }
  return false;
}

TEST(PrintJob, RunsTheXpsFiltersOfTheDriverAndUnloadsThem) {
  Job job = MakeJob({Real("kxprep")}, 5);
  job.options.config = LoadPipelineConfig(KX_DRIVER_DIR "/pipeline_config.xml");
  job.options.lastFilter = LastFilterToRun(job.options.config, "");
  ASSERT_EQ(job.options.config.filters[static_cast<std::size_t>(job.options.lastFilter)].name,
            "kxfinish");
  unsigned progress = 0;
  job.options.onPage = [&](unsigned pages) { progress = pages; };

  const PrintJobResult result = RunPrintJob(job.options);
  ASSERT_EQ(result.hr, S_OK) << result.message;
  EXPECT_EQ(result.pages, 5u);
  EXPECT_EQ(progress, 5u);
  EXPECT_EQ(FilesIn(job.directory),
            (std::vector<std::string>{"in.xps", "out.xps", "pipeline_config.xml"}));
  EXPECT_FALSE(AnyFilterModuleLoaded());
}

TEST(PrintJob, TheFiltersFindWhatThePipelinePromisesInThePropertyBag) {
  Job job = MakeJob({TestLink("checker", test::TestFilterKind::kCheckBag)}, 2);
  const PrintJobResult result = RunPrintJob(job.options);
  EXPECT_EQ(result.hr, S_OK) << result.message;
}

// A filter that fails midway or one downstream that stops early ends the whole job: every
// thread returns, and no output (nor a temporary file) is left behind.
TEST(PrintJob, AFailureAnywhereStopsTheWholeJobAndLeavesNoOutput) {
  using K = test::TestFilterKind;
  struct Case {
    const char* what;
    std::vector<Link> chain;
    std::string message;
  } cases[] = {
      {"middle filter fails",
       {Real("kxprep"), TestLink("failer", K::kFailMidway), Real("kxfinish")},
       "failer failed: " + DescribeHResult(E_NOTIMPL)},
      {"first filter fails",
       {TestLink("failer", K::kFailMidway), Real("kxorder"), Real("kxfinish")},
       "failer failed: "},
      {"last filter fails",
       {Real("kxprep"), Real("kxorder"), TestLink("failer", K::kFailMidway)},
       "failer failed: "},
      {"last filter stops early",
       {Real("kxprep"), Real("kxlayout"), TestLink("quitter", K::kStopEarly)},
       "quitter ended without completing its output"},
      {"middle filter stops early",
       {Real("kxprep"), TestLink("quitter", K::kStopEarly), Real("kxfinish")},
       "quitter ended without completing its output"},
      {"a module that is missing",
       {Real("kxprep"), {"ghost", "kxghost", ModuleClass("kxprep")}},
       "kxghost.dll: cannot be loaded"},
  };
  for (const Case& c : cases) {
    Job job = MakeJob(c.chain, 60);
    const PrintJobResult result = RunPrintJob(job.options);
    EXPECT_TRUE(FAILED(result.hr)) << c.what;
    EXPECT_NE(result.message.find(c.message), std::string::npos)
        << c.what << ": " << result.message;
    EXPECT_EQ(FilesIn(job.directory), (std::vector<std::string>{"in.xps", "pipeline_config.xml"}))
        << c.what;
    EXPECT_FALSE(AnyFilterModuleLoaded()) << c.what;
  }
}

TEST(PrintJob, ABrokenInputNamesTheFileAndThePart) {
  Job job = MakeJob({Real("kxprep"), Real("kxfinish")}, 3);
  std::vector<test::ZipItem> items = test::MakeXpsItems({.pagesPerDocument = 3});
  std::erase_if(items,
                [](const test::ZipItem& item) { return item.name == "Documents/1/Pages/3.fpage"; });
  test::WriteZip(job.options.input, items);
  const PrintJobResult result = RunPrintJob(job.options);
  EXPECT_TRUE(FAILED(result.hr));
  EXPECT_NE(
      result.message.find(
          job.options.input +
          ": /Documents/1/FixedDocument.fdoc: refers to missing part /Documents/1/Pages/3.fpage"),
      std::string::npos)
      << result.message;
  EXPECT_EQ(FilesIn(job.directory), (std::vector<std::string>{"in.xps", "pipeline_config.xml"}));
}

}  // namespace
}  // namespace kx::pipeline
