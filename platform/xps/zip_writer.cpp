#include "zip_writer.h"

#include <minizip/zip.h>

#include <cerrno>
#include <cstring>

#include "package_error.h"

namespace kx::xps {

ZipWriter::ZipWriter(std::string path) : path_(std::move(path)) {
  zip_ = zipOpen64(path_.c_str(), APPEND_STATUS_CREATE);
  if (!zip_) ThrowPackageError(kWriteFault, path_ + ": " + std::strerror(errno));
}

ZipWriter::~ZipWriter() {
  if (!zip_) return;
  if (!entry_.empty()) zipCloseFileInZip(zip_);
  zipClose(zip_, nullptr);
}

void ZipWriter::OpenEntry(const std::string& itemName, int level) {
  zip_fileinfo info{};
  entry_ = itemName;
  // Entries of more than 4 GiB are not written, so no Zip64 fields: every reader opens them.
  const int status = zipOpenNewFileInZip64(zip_, itemName.c_str(), &info, nullptr, 0, nullptr, 0,
                                           nullptr, level == 0 ? 0 : Z_DEFLATED, level, 0);
  if (status != ZIP_OK) Fail("cannot start the entry");
}

void ZipWriter::Write(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const auto chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (zipWriteInFileInZip(zip_, bytes.data(), chunk) != ZIP_OK) Fail(std::strerror(errno));
    bytes = bytes.subspan(chunk);
  }
}

void ZipWriter::CloseEntry() {
  const int status = zipCloseFileInZip(zip_);
  if (status != ZIP_OK)
    Fail(status == ZIP_PARAMERROR ? "entry larger than 4 GiB" : "cannot finish the entry");
  entry_.clear();
}

void ZipWriter::Close() {
  void* zip = zip_;
  zip_ = nullptr;
  if (zipClose(zip, nullptr) != ZIP_OK) Fail(std::strerror(errno));
}

void ZipWriter::Fail(const std::string& problem) const {
  ThrowPackageError(kWriteFault, path_ + ": " + (entry_.empty() ? "" : entry_ + ": ") + problem);
}

}  // namespace kx::xps
