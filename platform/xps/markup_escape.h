// Escaping of text placed in an attribute value of markup the package writer makes.
#pragma once

#include <string>
#include <string_view>

namespace kx::xps {

std::string EscapeAttribute(std::string_view text);

}  // namespace kx::xps
