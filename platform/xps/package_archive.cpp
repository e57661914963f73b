#include "package_archive.h"

#include <sys/stat.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_set>

#include "part_name.h"
#include "piece_name.h"
#include "xps_schema.h"

namespace kx::xps {
namespace {

// The pieces found under one part name while indexing.
struct ItemEntries {
  std::string name;
  std::map<std::uint32_t, std::uint64_t> pieces;  // number -> entry
  std::vector<std::uint32_t> lastNumbers;
};

bool IsIgnoredItem(std::string_view itemName) {
  return itemName.empty() || itemName.back() == '/' ||
         PartNameKey(itemName.substr(0, 8)) == "[trash]/";
}

std::string ZipErrorText(int code) {
  zip_error_t error;
  zip_error_init_with_code(&error, code);
  std::string text = zip_error_strerror(&error);
  zip_error_fini(&error);
  return text;
}

}  // namespace

PackageArchive::PackageArchive(std::string path, std::shared_ptr<ErrorLog> log)
    : path_(std::move(path)), log_(std::move(log)) {}

PackageArchive::~PackageArchive() {
  if (zip_) zip_discard(zip_);
}

std::shared_ptr<PackageArchive> PackageArchive::Open(const std::string& path,
                                                     std::shared_ptr<ErrorLog> log) {
  std::shared_ptr<PackageArchive> archive(new PackageArchive(path, std::move(log)));
  struct stat status {};
  if (stat(path.c_str(), &status) != 0)
    ThrowPackageError(kMissingPart, path + ": " + std::strerror(errno));
  if (!S_ISREG(status.st_mode)) ThrowPackageError(kInvalidPackage, path + ": not a regular file");

  int code = 0;
  archive->zip_ = zip_open(path.c_str(), ZIP_RDONLY, &code);
  if (!archive->zip_) {
    const bool notZip = code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS;
    ThrowPackageError(
        kInvalidPackage,
        path + ": " + (notZip ? "not a ZIP archive, or a truncated one" : ZipErrorText(code)));
  }
  archive->Index();
  return archive;
}

void PackageArchive::Index() {
  std::map<std::string, ItemEntries> pieces;
  std::unordered_set<std::string> wholeKeys;  // only while indexing
  const zip_int64_t count = zip_get_num_entries(zip_, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* raw = zip_get_name(zip_, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
    const std::string_view itemName = raw ? raw : "";
    if (IsIgnoredItem(itemName)) continue;
    const auto piece = ParsePieceName(itemName);
    const std::string name = "/" + std::string(piece ? piece->prefix : itemName);
    const std::string key = PartNameKey(name);
    if (key != PartNameKey("/" + std::string(kContentTypesItem)) && !IsValidPartName(name))
      ThrowPackageError(kInvalidPackage,
                        path_ + ": item \"" + std::string(itemName) + "\" is no valid part name");
    if (!piece) {
      if (!wholeKeys.insert(key).second)
        ThrowPackageError(kInvalidPackage, path_ + ": duplicate part name " + name);
      continue;
    }
    ItemEntries& item = pieces[key];
    item.name = name;
    if (!item.pieces.emplace(piece->number, static_cast<std::uint64_t>(i)).second)
      Fail(kInvalidPackage, name, "piece " + std::to_string(piece->number) + " appears twice");
    if (piece->last) item.lastNumbers.push_back(piece->number);
  }

  for (auto& [key, entry] : pieces) {
    if (wholeKeys.contains(key))
      ThrowPackageError(kInvalidPackage, path_ + ": duplicate part name " + entry.name);
    const bool complete = entry.lastNumbers.size() == 1 &&
                          entry.lastNumbers.front() + 1 == entry.pieces.size() &&
                          entry.pieces.rbegin()->first == entry.lastNumbers.front();
    if (!complete) Fail(kInvalidPackage, entry.name, "its interleaved pieces are incomplete");
    std::vector<std::uint64_t> entries;
    for (const auto& [number, index] : entry.pieces) entries.push_back(index);
    pieced_.emplace(key, ItemOf(entry.name, std::move(entries)));
    keyHashes_.push_back(std::hash<std::string>()(key));
  }
  for (const std::string& key : wholeKeys) keyHashes_.push_back(std::hash<std::string>()(key));
  std::sort(keyHashes_.begin(), keyHashes_.end());
}

PackageItem PackageArchive::ItemOf(std::string name, std::vector<std::uint64_t> entries) const {
  PackageItem item{std::move(name), std::move(entries), 0, false};
  for (std::uint64_t index : item.pieces) {
    zip_stat_t stat;
    if (zip_stat_index(zip_, index, 0, &stat) != 0)
      Fail(kInvalidPackage, item.name, zip_strerror(zip_));
    item.size += stat.size;
    item.stored = stat.comp_method == ZIP_CM_STORE;
  }
  return item;
}

std::optional<PackageItem> PackageArchive::Find(std::string_view partName) const {
  const std::string key = PartNameKey(partName);
  if (const auto found = pieced_.find(key); found != pieced_.end()) return found->second;
  if (!std::binary_search(keyHashes_.begin(), keyHashes_.end(), std::hash<std::string>()(key)))
    return std::nullopt;
  std::lock_guard lock(mutex_);
  const std::string itemName(partName.substr(partName.starts_with('/') ? 1 : 0));
  zip_int64_t index = zip_name_locate(zip_, itemName.c_str(), 0);  // hashed
  if (index < 0) {
    const auto byKey = LocateByKey(key);
    if (!byKey) return std::nullopt;
    index = static_cast<zip_int64_t>(*byKey);
  }
  return ItemOf(
      "/" + std::string(zip_get_name(zip_, static_cast<zip_uint64_t>(index), ZIP_FL_ENC_RAW)),
      {static_cast<std::uint64_t>(index)});
}

// A reference may differ from the item name in case or escapes; such references are rare.
std::optional<std::uint64_t> PackageArchive::LocateByKey(const std::string& key) const {
  const zip_int64_t count = zip_get_num_entries(zip_, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* raw = zip_get_name(zip_, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
    if (raw && PartNameKey("/" + std::string(raw)) == key) return static_cast<std::uint64_t>(i);
  }
  return std::nullopt;
}

std::string PackageArchive::ReadAll(const PackageItem& item, std::size_t limit) const {
  if (item.size > limit) Fail(kPartTooLarge, item.name, "part too large");
  // The sizes in the archive are not trusted: the read itself is bounded too.
  std::string bytes(static_cast<std::size_t>(item.size), '\0');
  ItemCursor cursor(shared_from_this(), item);
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (bytes.size() >= limit + 1) Fail(kPartTooLarge, item.name, "part too large");
      bytes.resize(std::min(limit + 1, bytes.size() * 2 + 4096));
    }
    const std::size_t got = cursor.Read(
        {reinterpret_cast<std::uint8_t*>(bytes.data()) + filled, bytes.size() - filled});
    if (got == 0) break;
    filled += got;
  }
  if (filled > limit) Fail(kPartTooLarge, item.name, "part too large");
  bytes.resize(filled);
  return bytes;
}

void PackageArchive::Fail(HRESULT code, const std::string& part, const std::string& problem) const {
  ThrowPackageError(code, path_ + ": " + part + ": " + problem);
}

ItemCursor::ItemCursor(std::shared_ptr<const PackageArchive> archive, const PackageItem& item)
    : archive_(std::move(archive)), item_(item) {}

ItemCursor::~ItemCursor() {
  std::lock_guard lock(archive_->mutex_);
  CloseFile();
}

void ItemCursor::CloseFile() {
  if (file_) zip_fclose(file_);
  file_ = nullptr;
}

std::size_t ItemCursor::Read(std::span<std::uint8_t> buffer) {
  std::lock_guard lock(archive_->mutex_);
  while (piece_ < item_.pieces.size()) {
    if (!file_) {
      file_ = zip_fopen_index(archive_->zip_, item_.pieces[piece_], 0);
      if (!file_) archive_->Fail(kInvalidPackage, item_.name, zip_strerror(archive_->zip_));
    }
    const zip_int64_t got = zip_fread(file_, buffer.data(), buffer.size());
    if (got < 0) {
      const std::string problem = zip_file_strerror(file_);
      CloseFile();
      archive_->Fail(kInvalidPackage, item_.name, problem);
    }
    if (got > 0 || buffer.empty()) return static_cast<std::size_t>(got);
    CloseFile();
    ++piece_;
  }
  return 0;
}

}  // namespace kx::xps
