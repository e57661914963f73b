#include "package_builder.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <span>

#include "font_obfuscation.h"
#include "zip_writer.h"

namespace kx::test {
namespace {

constexpr char kXpsNamespace[] = "http://schemas.microsoft.com/xps/2005/06";
constexpr char kRelationshipsNamespace[] =
    "http://schemas.openxmlformats.org/package/2006/relationships";

std::string Relationships(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string markup = std::string("<Relationships xmlns=\"") + kRelationshipsNamespace + "\">";
  int id = 0;
  for (const auto& [type, target] : entries)
    markup += "<Relationship Id=\"R" + std::to_string(id++) + "\" Type=\"" +
              "http://schemas.microsoft.com/xps/2005/06/" + type + "\" Target=\"" + target + "\"/>";
  return markup + "</Relationships>";
}

std::string Ticket() {
  return "<psf:PrintTicket version=\"1\" xmlns:psf=\""
         "http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework\"/>";
}

std::string Page(int number, const XpsSpec& spec) {
  std::string markup = std::string("<FixedPage xmlns=\"") + kXpsNamespace +
                       "\" Width=\"816\" Height=\"1056\" xml:lang=\"en-US\">";
  markup += "<Path Data=\"M 96,96 L 720,96 720," + std::to_string(100 + number % 800) +
            " 96,960 Z\" Fill=\"#FF336699\"/>";
  while (markup.size() < spec.pageFiller)
    markup += "<Path Data=\"M 10,10 L 20,20 30,10 Z\" Stroke=\"#FF000000\"/>";
  if (spec.withFont)
    markup += std::string("<Glyphs FontUri=\"/") + kFontPart +
              "\" FontRenderingEmSize=\"12\" OriginX=\"96\" OriginY=\"96\" UnicodeString=\"Page " +
              std::to_string(number) + "\" Fill=\"#FF000000\"/>";
  return markup + "</FixedPage>";
}

}  // namespace

std::string PlainFontBytes() {
  std::string bytes("\x00\x01\x00\x00\x00\x0C", 6);
  for (int i = 0; bytes.size() < 96; ++i) bytes.push_back(static_cast<char>('A' + i % 26));
  return bytes;
}

std::vector<ZipItem> MakeXpsItems(const XpsSpec& spec) {
  std::vector<ZipItem> items;
  std::string types =
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" "
      "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"fdseq\" "
      "ContentType=\"application/vnd.ms-package.xps-fixeddocumentsequence+xml\"/>"
      "<Default Extension=\"fdoc\" "
      "ContentType=\"application/vnd.ms-package.xps-fixeddocument+xml\"/>"
      "<Default Extension=\"fpage\" ContentType=\"application/vnd.ms-package.xps-fixedpage+xml\"/>"
      "<Default Extension=\"odttf\" "
      "ContentType=\"application/vnd.ms-package.obfuscated-opentype\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/vnd.ms-printing.printticket+xml\"/>"
      "</Types>";
  items.push_back({"[Content_Types].xml", types});
  items.push_back(
      {"_rels/.rels", Relationships({{"fixedrepresentation", "FixedDocumentSequence.fdseq"}})});

  std::string sequence = std::string("<FixedDocumentSequence xmlns=\"") + kXpsNamespace + "\">";
  for (int d = 1; d <= spec.documents; ++d) {
    const std::string directory = "Documents/" + std::to_string(d) + "/";
    sequence += "<DocumentReference Source=\"" + directory + "FixedDocument.fdoc\"/>";
    std::string document = std::string("<FixedDocument xmlns=\"") + kXpsNamespace + "\">";
    for (int p = 1; p <= spec.pagesPerDocument; ++p) {
      const std::string page = "Pages/" + std::to_string(p) + ".fpage";
      document += "<PageContent Source=\"" + page + "\" Width=\"816\" Height=\"1056\"/>";
      items.push_back({directory + page, Page(p, spec)});
      std::vector<std::pair<std::string, std::string>> relationships;
      if (spec.withFont)
        relationships.push_back({"required-resource", std::string("/") + kFontPart});
      if (spec.withTickets && (p == 1 || spec.ticketOnEveryPage))
        relationships.push_back({"printticket", "../Page_PT.xml"});
      if (!relationships.empty())
        items.push_back({directory + "Pages/_rels/" + std::to_string(p) + ".fpage.rels",
                         Relationships(relationships)});
    }
    items.push_back({directory + "FixedDocument.fdoc", document + "</FixedDocument>"});
    if (spec.withTickets) {
      items.push_back({directory + "_rels/FixedDocument.fdoc.rels",
                       Relationships({{"printticket", "Document_PT.xml"}})});
      items.push_back({directory + "Document_PT.xml", Ticket()});
      items.push_back({directory + "Page_PT.xml", Ticket()});
    }
  }
  items.push_back({"FixedDocumentSequence.fdseq", sequence + "</FixedDocumentSequence>"});
  if (spec.withTickets) {
    items.push_back({"_rels/FixedDocumentSequence.fdseq.rels",
                     Relationships({{"printticket", "Metadata/Job_PT.xml"}})});
    items.push_back({"Metadata/Job_PT.xml", Ticket()});
  }
  if (spec.withFont) {
    std::string font = PlainFontBytes();
    const auto key = xps::ObfuscationKeyOf(kFontPart);
    xps::ApplyObfuscation(*key, 0, {reinterpret_cast<std::uint8_t*>(font.data()), font.size()});
    items.push_back({kFontPart, font});
  }
  return items;
}

ZipItem* FindItem(std::vector<ZipItem>& items, const std::string& name) {
  const auto found = std::find_if(items.begin(), items.end(),
                                  [&](const ZipItem& item) { return item.name == name; });
  return found == items.end() ? nullptr : &*found;
}

void Interleave(std::vector<ZipItem>& items, const std::string& name, int pieces) {
  const ZipItem whole = *FindItem(items, name);
  std::erase_if(items, [&](const ZipItem& item) { return item.name == name; });
  const std::size_t size = whole.content.size() / static_cast<std::size_t>(pieces - 1) + 1;
  for (int i = pieces - 1; i >= 0; --i) {
    const std::size_t start = std::min(whole.content.size(), static_cast<std::size_t>(i) * size);
    const std::string suffix = i == pieces - 1 ? ".last.piece" : ".piece";
    items.push_back({name + "/[" + std::to_string(i) + "]" + suffix,
                     i == pieces - 1 ? std::string() : whole.content.substr(start, size)});
  }
}

void WriteZip(const std::string& path, const std::vector<ZipItem>& items) {
  xps::ZipWriter zip(path);
  for (const ZipItem& item : items) {
    zip.OpenEntry(item.name, -1);
    zip.Write({reinterpret_cast<const std::uint8_t*>(item.content.data()), item.content.size()});
    zip.CloseEntry();
  }
  zip.Close();
}

// The directories TemporaryPath made, removed when the program ends.
class TemporaryDirectories {
 public:
  ~TemporaryDirectories() {
    std::error_code ignored;
    for (const std::string& directory : directories_)
      std::filesystem::remove_all(directory, ignored);
  }
  void Add(std::string directory) {
    std::lock_guard lock(mutex_);
    directories_.push_back(std::move(directory));
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> directories_;
};

std::string TemporaryPath(const std::string& fileName) {
  static TemporaryDirectories made;
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/kxtest.XXXXXX";
  if (!mkdtemp(pattern.data())) std::abort();
  made.Add(pattern);
  return pattern + "/" + fileName;
}

}  // namespace kx::test
