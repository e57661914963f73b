// TextBlock: the heap block under TextBuffer and NarrowTextBuffer. The text lives in a block
// from the process heap that starts with its capacity, counted in characters; the text is
// always terminated. A buffer that was never used has no block.
//
// Growth: a first block holds 128 characters; a block is doubled until its capacity exceeds
// what is asked for, so appending costs amortised constant time.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

#include "cxd_exception.h"
#include "winbase.h"

namespace kx {

inline constexpr std::size_t kFirstTextCapacity = 128;
inline constexpr HRESULT kInsufficientBuffer = HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);

template <class Char>
class TextBlock {
 public:
  TextBlock() = default;
  TextBlock(TextBlock&& other) noexcept
      : text_(std::exchange(other.text_, nullptr)), length_(std::exchange(other.length_, 0)) {}
  TextBlock& operator=(TextBlock&& other) noexcept {
    if (this != &other) {
      Free();
      text_ = std::exchange(other.text_, nullptr);
      length_ = std::exchange(other.length_, 0);
    }
    return *this;
  }
  ~TextBlock() { Free(); }

  // Makes the block hold more than count characters; the text is kept. Throws E_OUTOFMEMORY.
  void Reserve(std::size_t count) {
    std::size_t capacity = text_ ? Capacity() : kFirstTextCapacity;
    while (capacity <= count) {
      if (capacity > SIZE_MAX / 4 / sizeof(Char)) throw CXDException(E_OUTOFMEMORY);
      capacity *= 2;
    }
    if (text_ && capacity == Capacity()) return;
    const std::size_t bytes = capacity * sizeof(Char) + kHeaderSize;
    void* block = text_ ? HeapReAlloc(GetProcessHeap(), 0, Header(), bytes)
                        : HeapAlloc(GetProcessHeap(), 0, bytes);
    if (!block) throw CXDException(E_OUTOFMEMORY);
    *static_cast<std::uint64_t*>(block) = capacity;
    text_ = reinterpret_cast<Char*>(static_cast<char*>(block) + kHeaderSize);
    text_[length_] = 0;
  }

  void Free() {
    if (text_) HeapFree(GetProcessHeap(), 0, Header());
    text_ = nullptr;
    length_ = 0;
  }

  // Null while the buffer was never used.
  const Char* Text() const { return text_; }
  std::basic_string_view<Char> View() const { return {text_ ? text_ : Empty(), length_}; }
  std::size_t Length() const { return length_; }
  std::size_t Capacity() const { return text_ ? *static_cast<std::uint64_t*>(Header()) : 0; }

  // Empties the text and keeps the block.
  void Clear() {
    length_ = 0;
    if (text_) text_[0] = 0;
  }

 protected:
  Char* MutableText() { return text_; }
  void SetLength(std::size_t length) {
    length_ = length;
    text_[length] = 0;
  }

  // Copies text with its terminator to destination, which holds capacity characters.
  static void CheckedCopy(Char* destination, std::size_t capacity,
                          std::basic_string_view<Char> text) {
    if (capacity == 0 || capacity >= (std::size_t{1} << 31)) throw CXDException(E_INVALIDARG);
    if (capacity <= text.size()) throw CXDException(kInsufficientBuffer);
    if (!text.empty()) std::memmove(destination, text.data(), text.size() * sizeof(Char));
    destination[text.size()] = 0;
  }

 private:
  static constexpr std::size_t kHeaderSize = sizeof(std::uint64_t);
  static const Char* Empty() {
    static const Char empty{};
    return &empty;
  }
  void* Header() const { return reinterpret_cast<char*>(text_) - kHeaderSize; }

  Char* text_ = nullptr;
  std::size_t length_ = 0;  // kept beside the block so that appending need not measure
};

}  // namespace kx
