// How a Windows module file name becomes the path of a shared object.
//
// The rule: backslashes become slashes; in the last path component, letters are lowercased and
// the extension ".dll" (any case) becomes ".so", and a component without an extension gets
// ".so". "KXPRNCTL.DLL" is "kxprnctl.so"; "C:\drv\KXLAYOUT.DLL" is "C:/drv/kxlayout.so".
// A name without a directory is found by the dynamic loader's search path.
#pragma once

#include <string>
#include <string_view>

namespace kx {

std::string SharedObjectPath(std::u16string_view moduleFileName);

}  // namespace kx
