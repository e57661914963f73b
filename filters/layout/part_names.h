// SheetPartNames: names for the parts the layout filter makes ("/LO_NUpPage_<n>.xml",
// "/LO_Empty_<n>.xml"). The number starts at the tick count of the first name and only goes
// up, so no two parts of a job get the same name, however fast pages come. One per filter.
#pragma once

#include <string>

#include "windef.h"

namespace kx {

class SheetPartNames {
 public:
  std::u16string Sheet() { return Next(u"/LO_NUpPage_%d.xml"); }
  std::u16string Empty() { return Next(u"/LO_Empty_%d.xml"); }

 private:
  std::u16string Next(const WCHAR* format);

  bool started_ = false;
  DWORD counter_ = 0;
};

}  // namespace kx
