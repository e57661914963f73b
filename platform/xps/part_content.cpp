#include "part_content.h"

#include <algorithm>
#include <cstring>

#include "package_archive.h"

namespace kx::xps {
namespace {

class BufferCursor final : public ContentCursor {
 public:
  explicit BufferCursor(std::shared_ptr<const std::vector<std::uint8_t>> bytes)
      : bytes_(std::move(bytes)) {}

  std::size_t Read(std::span<std::uint8_t> buffer) override {
    const std::size_t count = std::min(buffer.size(), bytes_->size() - position_);
    if (count) std::memcpy(buffer.data(), bytes_->data() + position_, count);
    position_ += count;
    return count;
  }
  void Skip(std::uint64_t count) override {
    position_ +=
        static_cast<std::size_t>(std::min<std::uint64_t>(count, bytes_->size() - position_));
  }

 private:
  std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
  std::size_t position_ = 0;
};

class BufferContent final : public PartContent {
 public:
  explicit BufferContent(std::vector<std::uint8_t> bytes)
      : bytes_(std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes))) {}
  std::uint64_t Size() const override { return bytes_->size(); }
  std::unique_ptr<ContentCursor> Open() const override {
    return std::make_unique<BufferCursor>(bytes_);
  }

 private:
  std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
};

class ArchiveCursor final : public ContentCursor {
 public:
  ArchiveCursor(std::shared_ptr<const PackageArchive> archive, const PackageItem& item)
      : cursor_(std::move(archive), item) {}
  std::size_t Read(std::span<std::uint8_t> buffer) override { return cursor_.Read(buffer); }

 private:
  ItemCursor cursor_;
};

class ArchiveContent final : public PartContent {
 public:
  ArchiveContent(std::shared_ptr<const PackageArchive> archive, const PackageItem& item)
      : archive_(std::move(archive)), item_(item) {}
  std::uint64_t Size() const override { return item_.size; }
  std::unique_ptr<ContentCursor> Open() const override {
    return std::make_unique<ArchiveCursor>(archive_, item_);
  }
  ErrorLog* Log() const override { return archive_->Log(); }

 private:
  std::shared_ptr<const PackageArchive> archive_;
  PackageItem item_;
};

}  // namespace

void ContentCursor::Skip(std::uint64_t count) {
  std::uint8_t scratch[16384];
  while (count > 0) {
    const std::size_t got =
        Read({scratch, static_cast<std::size_t>(std::min<std::uint64_t>(count, sizeof scratch))});
    if (got == 0) return;
    count -= got;
  }
}

ContentPtr MakeBufferContent(std::vector<std::uint8_t> bytes) {
  return std::make_shared<BufferContent>(std::move(bytes));
}

ContentPtr MakeArchiveContent(std::shared_ptr<const PackageArchive> archive,
                              const PackageItem& item) {
  return std::make_shared<ArchiveContent>(std::move(archive), item);
}

}  // namespace kx::xps
