// kxprint as a user runs it: real documents in, and the result checked by reading it back and
// rendering it with libgxps (xpstopng) beside the input.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "kx/com_object.h"
#include "kx/unique_bstr.h"
#include "kx/utf16.h"
#include "package_builder.h"
#include "package_reader.h"
#include "part_pump.h"
#include "test_filter_module.h"

namespace kx::test {
namespace {

std::string Quote(const std::string& text) { return "'" + text + "'"; }

struct Command {
  int status;
  std::string errors;
};

Command Run(const std::string& command) {
  const std::string errors = TemporaryPath("stderr.txt");
  const int raw = std::system((command + " 2>" + Quote(errors) + " >/dev/null").c_str());
  std::ifstream file(errors);
  std::stringstream text;
  text << file.rdbuf();
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text.str()};
}

Command Kxprint(const std::string& arguments) { return Run(Quote(KXPRINT) + " " + arguments); }

std::vector<std::string> FilesIn(const std::string& directory) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(directory.c_str())) {
    while (dirent* entry = readdir(dir))
      if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
        names.push_back(entry->d_name);
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::string NameOf(IUnknown* part) {
  ComPtr<IPartBase> base;
  UniqueBstr uri;
  if (FAILED(ComPtr<IUnknown>(part).As(base)) || FAILED(base->GetUri(uri.ResetAndGetAddressOf())))
    return {};
  return Utf16ToUtf8(uri.View());
}

template <class Part>
std::string TicketOf(Part* part) {
  ComPtr<IPartPrintTicket> ticket;
  part->GetPrintTicket(ticket.ReleaseAndGetAddressOf());
  return ticket ? " ticket " + NameOf(ticket.Get()) : "";
}

// Records the document as a person would compare it: documents and pages in order, each with
// its ticket and the resources it uses.
class StructureRecorder final : public ComObject<IXpsDocumentConsumer> {
 public:
  HRESULT STDMETHODCALLTYPE SendXpsUnknown(IUnknown*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SendXpsDocument(IXpsDocument*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SendFixedDocumentSequence(IFixedDocumentSequence* sequence) override {
    lines.push_back("sequence" + TicketOf(sequence));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SendFixedDocument(IFixedDocument* document) override {
    lines.push_back("document " + NameOf(document) + TicketOf(document));
    ++documents;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SendFixedPage(IFixedPage* page) override {
    std::vector<std::string> resources;
    ComPtr<IXpsPartIterator> iterator;
    page->GetXpsPartIterator(iterator.ReleaseAndGetAddressOf());
    for (iterator->Reset(); !iterator->IsDone(); iterator->Next()) {
      UniqueBstr uri;
      ComPtr<IUnknown> part;
      iterator->Current(uri.ResetAndGetAddressOf(), part.ReleaseAndGetAddressOf());
      resources.push_back(Utf16ToUtf8(uri.View()));
    }
    std::sort(resources.begin(), resources.end());
    std::string line = "page " + NameOf(page) + TicketOf(page);
    for (const std::string& resource : resources) line += " uses " + resource;
    lines.push_back(line);
    ++pagesPerDocument[documents];
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CloseSender() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetNewEmptyPart(const WCHAR*, REFIID, void**,
                                            IPrintWriteStream**) override {
    return E_NOTIMPL;
  }

  std::vector<std::string> lines;
  int documents = 0;
  std::map<int, int> pagesPerDocument;
};

ComPtr<StructureRecorder> Structure(const std::string& path) {
  auto recorder = MakeComObject<StructureRecorder>();
  auto reader = xps::OpenPackageReader(path, std::make_shared<xps::ErrorLog>());
  EXPECT_EQ(xps::PumpParts(reader.Get(), recorder.Get()), S_OK) << path;
  return recorder;
}

// Renders document `document` of the package; empty when libgxps cannot read it.
std::map<std::string, std::string> Render(const std::string& package, int document) {
  const std::string directory = TemporaryPath("");
  const Command command = Run("xpstopng -d " + std::to_string(document) + " " + Quote(package) +
                              " " + Quote(directory + "page"));
  std::map<std::string, std::string> pictures;
  if (command.status != 0) return pictures;
  for (const std::string& name : FilesIn(directory)) pictures[name] = ReadFile(directory + name);
  return pictures;
}

std::vector<std::string> Fixtures() {
  std::vector<std::string> names;
  for (const std::string& name : FilesIn(KX_FIXTURE_DIR))
    if (name.ends_with(".xps") || name.ends_with(".oxps")) names.push_back(name);
  return names;
}

// A driver directory whose chain is four filters that forward every part: the pipeline service
// and the package layer alone, on four threads like the real chain.
std::string PassThroughDriver() {
  static const std::string directory = [] {
    const std::string path = TemporaryPath("");
    char clsid[40];
    GUID id{};
    for (const auto& [kind, classId] : kTestFilterClasses)
      if (kind == TestFilterKind::kPassThrough) id = classId;
    std::snprintf(clsid, sizeof clsid, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  id.Data1, id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3],
                  id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
    std::ofstream config(path + "pipeline_config.xml");
    config << "<Filters moduleDirectory=\"" KX_TEST_MODULE_DIR "\">";
    for (int i = 1; i <= 4; ++i)
      config << "<Filter dll=\"kxtestfilter.dll\" clsid=\"" << clsid << "\" name=\"pass" << i
             << "\"><Output guid=\"{4368D8A2-4181-4A9F-B295-3D9A38BB9BA0}\"/></Filter>";
    config << "</Filters>";
    std::ofstream(path + "default_ticket.xml") << ReadFile(KX_DRIVER_DIR "/default_ticket.xml");
    return path;
  }();
  return directory;
}

class Fixture : public testing::TestWithParam<std::string> {
 protected:
  std::string Input() const { return std::string(KX_FIXTURE_DIR) + "/" + GetParam(); }
};

// Through the driver's own chain: the job succeeds and every document of the output renders.
// What the filters change depends on each document's tickets; their own tests say what.
TEST_P(Fixture, PrintsThroughTheDriverAndRenders) {
  const std::string output = TemporaryPath("out.xps");
  const Command command = Kxprint(Quote(Input()) + " -o " + Quote(output));
  ASSERT_EQ(command.status, 0) << command.errors;
  const auto result = Structure(output);
  for (int document = 1; document <= result->documents; ++document)
    EXPECT_FALSE(Render(output, document).empty()) << "document " << document;
}

// Through filters that change nothing: the same pages in the same order, with the same
// resources and tickets, rendering to the same pictures.
TEST_P(Fixture, ComesOutWithTheSamePagesResourcesTicketsAndPictures) {
  const std::string input = Input();
  const std::string output = TemporaryPath("out.xps");
  const Command command = Kxprint("--driver " + Quote(PassThroughDriver()) + " " + Quote(input) +
                                  " -o " + Quote(output));
  ASSERT_EQ(command.status, 0) << command.errors;

  const auto original = Structure(input);
  const auto result = Structure(output);
  EXPECT_EQ(result->lines, original->lines);
  for (int document = 1; document <= original->documents; ++document) {
    const auto expected = Render(input, document);
    const auto rendered = Render(output, document);
    EXPECT_EQ(static_cast<int>(rendered.size()), original->pagesPerDocument[document])
        << "document " << document;
    // Some valid packages are beyond libgxps (Zip64 with data descriptors, empty pieces); their
    // output must still render, page for page.
    if (!expected.empty()) {
      EXPECT_TRUE(rendered == expected) << "document " << document;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Kxprint, Fixture, testing::ValuesIn(Fixtures()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           std::replace_if(
                               name.begin(), name.end(), [](char c) { return !std::isalnum(c); },
                               '_');
                           return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Fixture);

TEST(Kxprint, FixturesArePresent) {
  if (Fixtures().empty()) {
    GTEST_SKIP() << "no fixtures in " KX_FIXTURE_DIR "; fixture tests skipped";
  }
}

// Each bad input: exit status 1, one line naming the cause, no output and nothing left over.
TEST(Kxprint, BadInputsFailWithOneLineAndNoOutput) {
  using Items = std::vector<ZipItem>;
  struct Case {
    const char* what;
    std::function<std::string(const std::string& directory)> make;  // returns the input path
    const char* message;
  };
  const auto package = [](std::function<void(Items&)> damage) {
    return [damage](const std::string& directory) {
      Items items = MakeXpsItems();
      damage(items);
      WriteZip(directory + "in.xps", items);
      return directory + "in.xps";
    };
  };
  const auto file = [](std::string content) {
    return [content](const std::string& directory) {
      std::ofstream(directory + "in.xps") << content;
      return directory + "in.xps";
    };
  };
  const auto drop = [](const char* name) {
    return [name](Items& items) {
      std::erase_if(items, [&](const ZipItem& i) { return i.name == name; });
    };
  };
  const Case cases[] = {
      {"not a file", [](const std::string& directory) { return directory; }, "not a regular file"},
      {"not a ZIP", file("plain text"), "not a ZIP archive"},
      {"truncated ZIP",
       [](const std::string& directory) {
         Items items = MakeXpsItems();
         WriteZip(directory + "in.xps", items);
         const std::string bytes = ReadFile(directory + "in.xps");
         std::ofstream(directory + "in.xps", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
         return directory + "in.xps";
       },
       "truncated"},
      {"no start part", package(drop("_rels/.rels")), "no XPS start part"},
      {"missing page", package(drop("Documents/1/Pages/2.fpage")),
       "refers to missing part /Documents/1/Pages/2.fpage"},
      {"malformed document", package([](Items& i) {
         FindItem(i, "Documents/1/FixedDocument.fdoc")->content = "<FixedDocument";
       }),
       "/Documents/1/FixedDocument.fdoc: line 1"},
      {"duplicate part", package([](Items& i) {
         i.push_back({"Documents/1/Pages/1.FPAGE", "x"});
       }),
       "duplicate part name"},
      {"dot-dot name", package([](Items& i) {
         i.push_back({"../../etc/x.xml", "x"});
       }),
       "is no valid part name"},
      {"absolute name", package([](Items& i) {
         i.push_back({"/abs.xml", "x"});
       }),
       "is no valid part name"},
      {"empty document", package([](Items& i) {
         FindItem(i, "Documents/1/FixedDocument.fdoc")->content =
             "<FixedDocument xmlns=\"http://schemas.microsoft.com/xps/2005/06\"/>";
       }),
       "the document has no pages"},
      {"absurd size", package([](Items& i) {
         FindItem(i, "FixedDocumentSequence.fdseq")->content.append(80u << 20, ' ');
       }),
       "part too large"},
  };
  for (const Case& c : cases) {
    const std::string directory = TemporaryPath("");
    const std::string input = c.make(directory);
    const Command command = Kxprint(Quote(input) + " -o " + Quote(directory + "out.xps"));
    EXPECT_EQ(command.status, 1) << c.what;
    EXPECT_TRUE(command.errors.starts_with("kxprint: ")) << c.what << ": " << command.errors;
    EXPECT_EQ(std::count(command.errors.begin(), command.errors.end(), '\n'), 1) << command.errors;
    EXPECT_NE(command.errors.find(c.message), std::string::npos)
        << c.what << ": " << command.errors;
    const auto left = FilesIn(directory);
    EXPECT_TRUE(std::none_of(left.begin(), left.end(), [](const std::string& name) {
      return name.find("out.xps") != std::string::npos;
    })) << c.what;
  }
}

TEST(Kxprint, AJobTicketIsAttachedToTheSequence) {
  const std::string directory = TemporaryPath("");
  WriteZip(directory + "in.xps", MakeXpsItems({.withTickets = false}));
  const std::string ticket =
      "<psf:PrintTicket version=\"1\" xmlns:psf=\"http://schemas.microsoft.com/windows/2003/08/"
      "printing/printschemaframework\"><!-- job --></psf:PrintTicket>";
  std::ofstream(directory + "job.xml") << ticket;
  const Command command =
      Kxprint(Quote(directory + "in.xps") + " --ticket " + Quote(directory + "job.xml") + " -o " +
              Quote(directory + "out.xps"));
  ASSERT_EQ(command.status, 0) << command.errors;
  EXPECT_EQ(Structure(directory + "out.xps")->lines.front(),
            "sequence ticket /Metadata/Job_PT.xml");

  std::ofstream(directory + "bad.xml") << "<NotATicket/>";
  const Command bad =
      Kxprint(Quote(directory + "in.xps") + " --user-ticket " + Quote(directory + "bad.xml") +
              " -o " + Quote(directory + "out2.xps"));
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.errors.find("bad.xml: not a print ticket"), std::string::npos) << bad.errors;
}

// The text of the print ticket the package's sequence carries.
std::string SequenceTicket(const std::string& path) {
  auto reader = xps::OpenPackageReader(path, std::make_shared<xps::ErrorLog>());
  for (;;) {
    ComPtr<IUnknown> part;
    if (FAILED(reader->GetXpsPart(part.ReleaseAndGetAddressOf())) || !part) return {};
    ComPtr<IFixedDocumentSequence> sequence;
    if (FAILED(part.As(sequence))) continue;
    ComPtr<IPartPrintTicket> ticket;
    ComPtr<IPrintReadStream> stream;
    if (FAILED(sequence->GetPrintTicket(ticket.ReleaseAndGetAddressOf())) ||
        FAILED(ticket->GetStream(stream.ReleaseAndGetAddressOf())))
      return {};
    std::string text(1 << 16, '\0');
    ULONG read = 0;
    BOOL end = FALSE;
    stream->ReadBytes(text.data(), static_cast<ULONG>(text.size()), &read, &end);
    text.resize(read);
    return text;
  }
}

constexpr char kTicketStart[] =
    "<psf:PrintTicket version=\"1\" xmlns:psf=\"http://schemas.microsoft.com/windows/2003/08/"
    "printing/printschemaframework\" xmlns:psk=\"http://schemas.microsoft.com/windows/2003/08/"
    "printing/printschemakeywords\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\">";

std::string Ticket(const std::string& body) { return kTicketStart + body + "</psf:PrintTicket>"; }

const std::string kA5 = Ticket(
    "<psf:Feature name=\"psk:PageMediaSize\"><psf:Option name=\"psk:ISOA5\"/></psf:Feature>");
const std::string kLandscape = Ticket(
    "<psf:Feature name=\"psk:PageOrientation\"><psf:Option name=\"psk:Landscape\"/>"
    "</psf:Feature>");

TEST(Kxprint, AJobTicketIsMergedOverTheSequencesOwn) {
  const std::string directory = TemporaryPath("");
  auto items = MakeXpsItems();
  FindItem(items, "Metadata/Job_PT.xml")->content = kA5;
  WriteZip(directory + "in.xps", items);
  std::ofstream(directory + "job.xml") << kLandscape;
  const Command command =
      Kxprint(Quote(directory + "in.xps") + " --stop-after kxprep --ticket " +
              Quote(directory + "job.xml") + " -o " + Quote(directory + "out.xps"));
  ASSERT_EQ(command.status, 0) << command.errors;
  const std::string ticket = SequenceTicket(directory + "out.xps");
  EXPECT_NE(ticket.find("psk:ISOA5"), std::string::npos) << ticket;      // the document's
  EXPECT_NE(ticket.find("psk:Landscape"), std::string::npos) << ticket;  // the user's
}

TEST(Kxprint, TicketCommandsPrintWhatTheServiceMakes) {
  const std::string directory = TemporaryPath("");
  std::ofstream(directory + "base.xml") << kA5;
  std::ofstream(directory + "delta.xml") << kLandscape;
  const std::string merged = directory + "merged.xml";
  ASSERT_EQ(std::system((Quote(KXPRINT) + " ticket merge " + Quote(directory + "base.xml") + " " +
                         Quote(directory + "delta.xml") + " >" + Quote(merged))
                            .c_str()),
            0);
  const std::string text = ReadFile(merged);
  EXPECT_NE(text.find("psk:ISOA5"), std::string::npos) << text;
  EXPECT_NE(text.find("psk:Landscape"), std::string::npos) << text;

  const std::string devmode = directory + "devmode.txt";
  ASSERT_EQ(std::system((Quote(KXPRINT) + " ticket devmode " + Quote(directory + "base.xml") +
                         " >" + Quote(devmode))
                            .c_str()),
            0);
  EXPECT_NE(ReadFile(devmode).find("dmPaperSize 11\n"), std::string::npos);  // DMPAPER_A5

  const std::string caps = directory + "caps.xml";
  ASSERT_EQ(std::system((Quote(KXPRINT) + " ticket caps " + Quote(directory + "delta.xml") + " >" +
                         Quote(caps))
                            .c_str()),
            0);
  EXPECT_NE(ReadFile(caps).find("PageImageableSize"), std::string::npos);

  std::ofstream(directory + "bad.xml") << Ticket("<psf:Feature name=\"nope\"/>");
  const Command bad =
      Kxprint("ticket merge " + Quote(directory + "base.xml") + " " + Quote(directory + "bad.xml"));
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.errors.find("bad.xml: "), std::string::npos) << bad.errors;
  EXPECT_EQ(Kxprint("ticket caps").status, 2);
}

TEST(Kxprint, UsageErrorsExitWithTwoAndNameTheOption) {
  const Command unknown = Kxprint("in.xps -o out.xps --stop-after kxnothing");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.errors.find("no filter named 'kxnothing'"), std::string::npos)
      << unknown.errors;
  EXPECT_EQ(Kxprint("--frobnicate").status, 2);
  EXPECT_EQ(Kxprint("--help").status, 0);
}

}  // namespace
}  // namespace kx::test
