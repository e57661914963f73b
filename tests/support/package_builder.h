// Builds XPS packages for tests and benchmarks: a small valid document whose items a test may
// change, drop, add or split into interleaved pieces before writing the ZIP archive.
#pragma once

#include <string>
#include <vector>

namespace kx::test {

struct ZipItem {
  std::string name;  // the ZIP item name, without the leading slash
  std::string content;
};

struct XpsSpec {
  int documents = 1;
  int pagesPerDocument = 2;
  bool withFont = true;            // one obfuscated font shared by every page
  bool withTickets = true;         // a job, a document and a first-page print ticket
  bool ticketOnEveryPage = false;  // every page, not only the first, refers to the page ticket
  std::size_t pageFiller = 0;      // extra path markup per page, in bytes
};

// The GUID-named font part and its plain bytes (a TrueType header and some padding).
inline constexpr char kFontPart[] = "Resources/0B1A2C3D-4E5F-6071-8293-A4B5C6D7E8F9.odttf";
std::string PlainFontBytes();

std::vector<ZipItem> MakeXpsItems(const XpsSpec& spec = {});

// The item named `name`; null when there is none.
ZipItem* FindItem(std::vector<ZipItem>& items, const std::string& name);

// Replaces the item with its interleaved pieces "[0].piece" ... "[n-1].last.piece" (the last
// one empty), placed in reverse order in the archive.
void Interleave(std::vector<ZipItem>& items, const std::string& name, int pieces);

void WriteZip(const std::string& path, const std::vector<ZipItem>& items);

// A path in a fresh directory under $TMPDIR (or /tmp); the directory is removed when the
// program ends.
std::string TemporaryPath(const std::string& fileName);

}  // namespace kx::test
