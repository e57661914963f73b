// ZipWriter: writes a ZIP archive entry by entry as the data arrives (minizip), so no entry is
// held in memory. One entry is open at a time. Failures throw PackageError naming the file
// and the entry. An archive destroyed before Close is left incomplete; its owner removes it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kx::xps {

class ZipWriter {
 public:
  explicit ZipWriter(std::string path);
  ~ZipWriter();
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  // level: 0 stores the entry; 1 to 9 deflate; -1 the default deflate level.
  void OpenEntry(const std::string& itemName, int level);
  void Write(std::span<const std::uint8_t> bytes);
  void CloseEntry();
  void Close();

 private:
  [[noreturn]] void Fail(const std::string& problem) const;

  std::string path_;
  void* zip_ = nullptr;  // minizip's zipFile
  std::string entry_;
};

}  // namespace kx::xps
