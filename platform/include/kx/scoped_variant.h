// ScopedVariant: a VARIANT that is cleared when it goes out of scope.
#pragma once

#include "oleauto.h"

namespace kx {

class ScopedVariant {
 public:
  ScopedVariant() { VariantInit(&value_); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
  ~ScopedVariant() { VariantClear(&value_); }

  // For out parameters: clears the current value first.
  VARIANT* Out() {
    VariantClear(&value_);
    return &value_;
  }
  const VARIANT& Get() const { return value_; }

 private:
  VARIANT value_;
};

}  // namespace kx
