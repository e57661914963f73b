#include "part_name.h"

#include <vector>

namespace kx::xps {
namespace {

constexpr char ToLowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = ToLowerAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The byte a "%XX" escape at text[i] stands for, or -1 when it is no well-formed escape.
int EscapedByte(std::string_view text, std::size_t i) {
  if (i + 2 >= text.size()) return -1;
  const int high = HexValue(text[i + 1]);
  const int low = HexValue(text[i + 2]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

bool IsUnreserved(int c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

bool IsValidSegment(std::string_view segment) {
  if (segment.empty() || segment.back() == '.') return false;  // also rejects "." and ".."
  for (std::size_t i = 0; i < segment.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(segment[i]);
    if (c < 0x20 || c == 0x7F || c == '\\' || c == '?' || c == '#' || c == '[' || c == ']')
      return false;
    if (c == '%') {
      const int byte = EscapedByte(segment, i);
      if (byte < 0 || byte == '/' || byte == '\\' || IsUnreserved(byte)) return false;
      i += 2;
    }
  }
  return true;
}

std::vector<std::string_view> SplitSegments(std::string_view path) {
  std::vector<std::string_view> segments;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = path.find('/', start);
    const std::size_t end = slash == std::string_view::npos ? path.size() : slash;
    segments.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return segments;
}

std::string_view Directory(std::string_view partName) {
  return partName.substr(0, partName.rfind('/') + 1);
}

}  // namespace

bool IsValidPartName(std::string_view name) {
  if (name.size() < 2 || name.front() != '/' || name.back() == '/') return false;
  for (std::string_view segment : SplitSegments(name.substr(1)))
    if (!IsValidSegment(segment)) return false;
  return true;
}

std::string PartNameKey(std::string_view name) {
  std::string key;
  key.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    const int byte = name[i] == '%' ? EscapedByte(name, i) : -1;
    if (byte >= 0) {
      key.push_back(ToLowerAscii(static_cast<char>(byte)));
      i += 2;
    } else {
      key.push_back(ToLowerAscii(name[i]));
    }
  }
  return key;
}

std::optional<std::string> ResolvePartReference(std::string_view base, std::string_view reference) {
  if (reference.empty() || reference.find_first_of("?#\\") != std::string_view::npos)
    return std::nullopt;
  const std::size_t colon = reference.find(':');
  if (colon != std::string_view::npos && colon < reference.find('/')) return std::nullopt;

  std::string joined = reference.front() == '/'
                           ? std::string(reference)
                           : std::string(Directory(base)) + std::string(reference);
  std::vector<std::string_view> kept;
  for (std::string_view segment : SplitSegments(std::string_view(joined).substr(1))) {
    if (segment == ".") continue;
    if (segment == "..") {
      if (kept.empty()) return std::nullopt;  // above the package root
      kept.pop_back();
      continue;
    }
    kept.push_back(segment);
  }
  std::string resolved;
  for (std::string_view segment : kept) (resolved += '/') += segment;
  if (!IsValidPartName(resolved)) return std::nullopt;
  return resolved;
}

std::string RelativeReference(std::string_view from, std::string_view to) {
  const std::vector<std::string_view> fromDirs =
      SplitSegments(Directory(from).substr(1, Directory(from).size() - 1));
  const std::vector<std::string_view> toSegments = SplitSegments(to.substr(1));
  // fromDirs ends with an empty segment (the text after the last slash).
  const std::size_t dirCount = fromDirs.size() - 1;
  std::size_t common = 0;
  while (common < dirCount && common + 1 < toSegments.size() &&
         PartNameKey(fromDirs[common]) == PartNameKey(toSegments[common]))
    ++common;
  std::string reference;
  for (std::size_t i = common; i < dirCount; ++i) reference += "../";
  for (std::size_t i = common; i < toSegments.size(); ++i) {
    reference += toSegments[i];
    if (i + 1 < toSegments.size()) reference += '/';
  }
  return reference;
}

std::string RelationshipsPartName(std::string_view partName) {
  if (partName == "/") return "/_rels/.rels";
  const std::size_t slash = partName.rfind('/');
  return std::string(partName.substr(0, slash + 1)) + "_rels/" +
         std::string(partName.substr(slash + 1)) + ".rels";
}

std::string_view PartExtension(std::string_view name) {
  const std::size_t slash = name.rfind('/');
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  return name.substr(dot + 1);
}

}  // namespace kx::xps
