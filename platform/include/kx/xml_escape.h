// Escaping UTF-8 text for markup the platform writes itself (package parts, print tickets): the
// characters that would end or change an attribute value or element text, and carriage return,
// which the next reader would otherwise turn into a line feed or a blank.
#pragma once

#include <string>
#include <string_view>

namespace kx {

void AppendXmlEscaped(std::string& out, std::string_view text);
std::string XmlEscaped(std::string_view text);

}  // namespace kx
