// What the rewriters need to know of a page's FixedPage element.
#pragma once

#include <string_view>

#include "windef.h"

namespace kx {

inline constexpr std::u16string_view kFixedPage = u"FixedPage";
inline constexpr std::u16string_view kFixedPageResources = u"FixedPage.Resources";

// A qualified name handed over by the SAX reader.
inline std::u16string_view NameOf(const WCHAR* qName, int length) {
  return qName && length > 0 ? std::u16string_view(qName, static_cast<std::size_t>(length))
                             : std::u16string_view();
}

// The page size from the FixedPage's Width and Height attributes.
struct PageSize {
  float width = 0;
  float height = 0;

  // Takes the value when name is Width or Height.
  void Read(std::u16string_view name, std::u16string_view value);
};

}  // namespace kx
