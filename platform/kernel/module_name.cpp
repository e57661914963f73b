#include "module_name.h"

#include <algorithm>

#include "kx/utf16.h"

namespace kx {

std::string SharedObjectPath(std::u16string_view moduleFileName) {
  std::string path = Utf16ToUtf8(moduleFileName);
  std::replace(path.begin(), path.end(), '\\', '/');
  const std::size_t nameStart = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1;
  std::transform(path.begin() + static_cast<std::ptrdiff_t>(nameStart), path.end(),
                 path.begin() + static_cast<std::ptrdiff_t>(nameStart), [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
                 });
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < nameStart) {
    path += ".so";
  } else if (path.compare(dot, std::string::npos, ".dll") == 0) {
    path.replace(dot, std::string::npos, ".so");
  }
  return path;
}

}  // namespace kx
