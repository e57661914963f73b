#include "part_names.h"

#include "text_buffer.h"
#include "winbase.h"

namespace kx {

std::u16string SheetPartNames::Next(const WCHAR* format) {
  if (!started_) {
    counter_ = GetTickCount();
    started_ = true;
  }
  TextBuffer name;
  name.Format(format, static_cast<int>(counter_++));
  return std::u16string(name.View());
}

}  // namespace kx
