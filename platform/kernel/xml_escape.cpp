#include "kx/xml_escape.h"

namespace kx {

void AppendXmlEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\r':
        out += "&#13;";
        break;
      default:
        out += c;
    }
  }
}

std::string XmlEscaped(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  AppendXmlEscaped(escaped, text);
  return escaped;
}

}  // namespace kx
