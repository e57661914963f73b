#include "element_copy_rules.h"

#include <cstdlib>
#include <string>

#include "escape_xml_text.h"

namespace kx {

void ElementCopyRules::BeginElement(TextBuffer& out, std::u16string_view name) {
  CloseStartTag(out);
  lastElement_.assign(name);
}

void ElementCopyRules::OpenStartTag(TextBuffer& out, std::u16string_view name) {
  BeginElement(out, name);
  out.Append(u'<');
  out.Append(name);
  startTagPending_ = true;
}

void ElementCopyRules::CloseStartTag(TextBuffer& out) {
  if (startTagPending_) out.Append(u'>');
  startTagPending_ = false;
}

void ElementCopyRules::EndElement(TextBuffer& out, std::u16string_view name) {
  if (startTagPending_ && name == lastElement_) {
    out.Append(u"/>");
  } else {
    out.Append(u"</");
    out.Append(name);
    out.Append(u'>');
  }
  startTagPending_ = false;
}

bool ElementCopyRules::ReadAttribute(ISAXAttributes* attributes, int index,
                                     std::u16string_view& name, std::u16string_view& value) {
  const WCHAR* uri = nullptr;
  const WCHAR* localName = nullptr;
  const WCHAR* qName = nullptr;
  const WCHAR* text = nullptr;
  int uriLength = 0;
  int localNameLength = 0;
  int qNameLength = 0;
  int textLength = 0;
  if (FAILED(attributes->getName(index, &uri, &uriLength, &localName, &localNameLength, &qName,
                                 &qNameLength)) ||
      FAILED(attributes->getValue(index, &text, &textLength)) || !qName || qNameLength < 0 ||
      (!text && textLength > 0) || textLength < 0)
    return false;
  name = {qName, static_cast<std::size_t>(qNameLength)};
  value = text ? std::u16string_view(text, static_cast<std::size_t>(textLength))
               : std::u16string_view();
  return true;
}

void ElementCopyRules::AppendAttribute(TextBuffer& out, std::u16string_view name,
                                       std::u16string_view value) {
  out.Append(u' ');
  out.Append(name);
  out.Append(u"=\"");
  AppendAttributeValue(out, value);
  out.Append(u'"');
}

void ElementCopyRules::AppendAttributes(TextBuffer& out, ISAXAttributes* attributes) {
  int count = 0;
  if (!attributes || FAILED(attributes->getLength(&count))) return;
  for (int i = 0; i < count; ++i) {
    std::u16string_view name;
    std::u16string_view value;
    if (ReadAttribute(attributes, i, name, value)) AppendAttribute(out, name, value);
  }
}

float ReadDecimal(std::u16string_view text) {
  std::string narrow;
  for (WCHAR c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return std::strtof(narrow.c_str(), nullptr);
}

}  // namespace kx
