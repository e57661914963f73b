// PackageArchive: the ZIP archive of an input package (libzip), its parts found by name with
// interleaved pieces joined. Opening checks every item name: each must be a valid part name,
// unique (case-insensitively), and a pieced part complete. What it keeps per part is small and
// fixed (a hash of the name) besides libzip's own directory, so a long document costs little.
// Parts are read as streams through ItemCursor; any thread may read, one at a time (the
// archive has a lock).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "package_error.h"

using zip_t = struct zip;
using zip_file_t = struct zip_file;

namespace kx::xps {

struct PackageItem {
  std::string name;                   // the part name, "/[Content_Types].xml" for that stream
  std::vector<std::uint64_t> pieces;  // ZIP entry indices, in piece order
  std::uint64_t size = 0;
  bool stored = false;  // not compressed
};

class PackageArchive : public std::enable_shared_from_this<PackageArchive> {
 public:
  // Throws PackageError: not a file, not a ZIP archive (or a truncated one), invalid or
  // duplicate part names, incomplete pieces.
  static std::shared_ptr<PackageArchive> Open(const std::string& path,
                                              std::shared_ptr<ErrorLog> log);
  ~PackageArchive();
  PackageArchive(const PackageArchive&) = delete;
  PackageArchive& operator=(const PackageArchive&) = delete;

  const std::string& Path() const { return path_; }
  ErrorLog* Log() const { return log_.get(); }

  // Empty when the package has no such part.
  std::optional<PackageItem> Find(std::string_view partName) const;
  std::optional<PackageItem> ContentTypesItem() const { return Find("/[Content_Types].xml"); }

  // The whole part; throws PackageError when it is larger than `limit` or cannot be read.
  std::string ReadAll(const PackageItem& item, std::size_t limit) const;

  [[noreturn]] void Fail(HRESULT code, const std::string& part, const std::string& problem) const;

 private:
  friend class ItemCursor;
  PackageArchive(std::string path, std::shared_ptr<ErrorLog> log);
  void Index();
  // The whole item whose name matches `key` though not to the letter; scans the archive.
  std::optional<std::uint64_t> LocateByKey(const std::string& key) const;
  PackageItem ItemOf(std::string name, std::vector<std::uint64_t> entries) const;

  std::string path_;
  std::shared_ptr<ErrorLog> log_;
  zip_t* zip_ = nullptr;
  std::map<std::string, PackageItem> pieced_;  // interleaved parts, by part name key
  std::vector<std::size_t> keyHashes_;         // sorted hashes of every part name key
  mutable std::mutex mutex_;                   // libzip archives are not thread-safe
};

// Reads one part from its start, across its pieces.
class ItemCursor {
 public:
  ItemCursor(std::shared_ptr<const PackageArchive> archive, const PackageItem& item);
  ~ItemCursor();
  ItemCursor(const ItemCursor&) = delete;
  ItemCursor& operator=(const ItemCursor&) = delete;

  // Fills as much of `buffer` as the part has left; 0 at the end. Throws PackageError.
  std::size_t Read(std::span<std::uint8_t> buffer);

 private:
  void CloseFile();

  std::shared_ptr<const PackageArchive> archive_;
  PackageItem item_;
  std::size_t piece_ = 0;
  zip_file_t* file_ = nullptr;
};

}  // namespace kx::xps
