// PartContent: the bytes of a part, either an item of the input package (read as a stream when
// asked) or a buffer that a filter wrote. Immutable once made; any thread may open it.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "package_error.h"

namespace kx::xps {

class PackageArchive;
struct PackageItem;

// Reads a content from its start. Throws PackageError when the package cannot be read.
class ContentCursor {
 public:
  virtual ~ContentCursor() = default;
  virtual std::size_t Read(std::span<std::uint8_t> buffer) = 0;
  // Moves `count` bytes on (less at the end).
  virtual void Skip(std::uint64_t count);
};

class PartContent {
 public:
  virtual ~PartContent() = default;
  virtual std::uint64_t Size() const = 0;
  virtual std::unique_ptr<ContentCursor> Open() const = 0;
  // Where read failures are reported; null for contents that cannot fail.
  virtual ErrorLog* Log() const { return nullptr; }
};

using ContentPtr = std::shared_ptr<const PartContent>;

ContentPtr MakeBufferContent(std::vector<std::uint8_t> bytes);
ContentPtr MakeArchiveContent(std::shared_ptr<const PackageArchive> archive,
                              const PackageItem& item);

}  // namespace kx::xps
