#include "page_element.h"

#include "element_copy_rules.h"

namespace kx {

void PageSize::Read(std::u16string_view name, std::u16string_view value) {
  if (name == u"Width") width = ReadDecimal(value);
  if (name == u"Height") height = ReadDecimal(value);
}

}  // namespace kx
