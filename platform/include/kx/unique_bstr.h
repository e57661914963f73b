// UniqueBstr: the one owner of a BSTR, freed with SysFreeString.
#pragma once

#include <string_view>
#include <utility>

#include "oleauto.h"

namespace kx {

class UniqueBstr {
 public:
  UniqueBstr() = default;
  explicit UniqueBstr(BSTR owned) : text_(owned) {}
  UniqueBstr(UniqueBstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
  UniqueBstr& operator=(UniqueBstr&& other) noexcept {
    Reset(std::exchange(other.text_, nullptr));
    return *this;
  }
  ~UniqueBstr() { SysFreeString(text_); }

  BSTR Get() const { return text_; }
  UINT Length() const { return SysStringLen(text_); }
  std::u16string_view View() const { return {text_ ? text_ : u"", Length()}; }

  void Reset(BSTR owned = nullptr) { SysFreeString(std::exchange(text_, owned)); }
  [[nodiscard]] BSTR Release() { return std::exchange(text_, nullptr); }
  // For out parameters: frees the current text first.
  BSTR* ResetAndGetAddressOf() {
    Reset();
    return &text_;
  }

 private:
  BSTR text_ = nullptr;
};

}  // namespace kx
