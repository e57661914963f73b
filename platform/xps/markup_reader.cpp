#include "markup_reader.h"

#include <libxml/xmlreader.h>

#include "package_error.h"

namespace kx::xps {
namespace {

std::string_view View(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

// libxml2 reports problems through a callback; the reader keeps the first one.
void KeepFirstError(void* arg, const char* message, xmlParserSeverities severity,
                    xmlTextReaderLocatorPtr locator) {
  auto* first = static_cast<std::string*>(arg);
  if (severity != XML_PARSER_SEVERITY_ERROR || !first->empty()) return;
  *first = "line " + std::to_string(xmlTextReaderLocatorLineNumber(locator)) + ": " + message;
  while (!first->empty() && first->back() == '\n') first->pop_back();
}

}  // namespace

MarkupReader::MarkupReader(std::string bytes, std::string where)
    : bytes_(std::move(bytes)), reader_(nullptr), where_(std::move(where)) {
  if (bytes_.size() > static_cast<std::size_t>(INT32_MAX)) Fail("markup too large");
  reader_ = xmlReaderForMemory(bytes_.data(), static_cast<int>(bytes_.size()), nullptr, nullptr,
                               XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!reader_) throw std::bad_alloc();
  xmlTextReaderSetErrorHandler(reader_, KeepFirstError, &firstError_);
}

MarkupReader::~MarkupReader() { xmlFreeTextReader(reader_); }

bool MarkupReader::NextElement() {
  for (;;) {
    const int status = xmlTextReaderRead(reader_);
    if (status < 0) Fail(firstError_.empty() ? "malformed markup" : firstError_);
    if (status == 0) return false;
    const int type = xmlTextReaderNodeType(reader_);
    if (type == XML_READER_TYPE_DOCUMENT_TYPE) Fail("document type definitions are not allowed");
    if (type == XML_READER_TYPE_ELEMENT) return true;
  }
}

std::string_view MarkupReader::LocalName() const {
  return View(xmlTextReaderConstLocalName(reader_));
}

std::string_view MarkupReader::NamespaceUri() const {
  return View(xmlTextReaderConstNamespaceUri(reader_));
}

int MarkupReader::Depth() const { return xmlTextReaderDepth(reader_); }

bool MarkupReader::IsEmptyElement() const { return xmlTextReaderIsEmptyElement(reader_) == 1; }

std::optional<std::string> MarkupReader::Attribute(const char* name) const {
  xmlChar* value = xmlTextReaderGetAttribute(reader_, reinterpret_cast<const xmlChar*>(name));
  if (!value) return std::nullopt;
  std::string text(View(value));
  xmlFree(value);
  return text;
}

std::string MarkupReader::AttributesExcept(std::string_view skipped) const {
  std::string text;
  for (int more = xmlTextReaderMoveToFirstAttribute(reader_); more == 1;
       more = xmlTextReaderMoveToNextAttribute(reader_)) {
    const std::string_view name = View(xmlTextReaderConstName(reader_));
    if (name == skipped || name == "xmlns" || name.starts_with("xmlns:")) continue;
    xmlChar* escaped = xmlEncodeSpecialChars(nullptr, xmlTextReaderConstValue(reader_));
    ((text += ' ') += name) += "=\"";
    (text += View(escaped)) += '"';
    xmlFree(escaped);
  }
  xmlTextReaderMoveToElement(reader_);
  return text;
}

std::string MarkupReader::InnerMarkup() {
  xmlChar* inner = xmlTextReaderReadInnerXml(reader_);
  std::string text(View(inner));
  xmlFree(inner);
  return text;
}

void MarkupReader::Fail(const std::string& problem) const {
  ThrowPackageError(kInvalidPackage, where_ + ": " + problem);
}

}  // namespace kx::xps
