// SaxSession: one parse of the SAX reader. It receives libxml2's events (SAX1 form, so that
// names come as written and namespace declarations stay among the attributes in document
// order), resolves namespaces itself, converts to UTF-16 and calls the content handler.
//
// The first failure of a handler, of the nesting check or of namespace resolution stops the
// parser; no further calls are made and the failure is the parse's result. Nothing unwinds
// into libxml2: every callback catches what the handler side throws.
#pragma once

#include <string>
#include <vector>

#include "kx/com_ptr.h"
#include "msxml6.h"
#include "push_parser.h"
#include "sax_attributes.h"

namespace kx::xml {

class SaxSession {
 public:
  // handler may be null: the document is then only checked.
  explicit SaxSession(ISAXContentHandler* handler);
  ~SaxSession();
  SaxSession(const SaxSession&) = delete;
  SaxSession& operator=(const SaxSession&) = delete;

  HRESULT ParseStream(ISequentialStream* source) { return parser_.ParseStream(source); }
  HRESULT ParseText(std::u16string_view text) { return parser_.ParseText(text); }

 private:
  struct Binding {
    std::u16string prefix;
    std::u16string uri;
    int depth;
  };
  struct Name {
    Utf16Arena::Span uri;
    Utf16Arena::Span localName;
    Utf16Arena::Span qName;
  };

  template <class Fn>
  static void Dispatch(void* context, Fn fn) noexcept;

  static void OnStartDocument(void* context);
  static void OnEndDocument(void* context);
  static void OnStartElement(void* context, const xmlChar* name, const xmlChar** attributes);
  static void OnEndElement(void* context, const xmlChar* name);
  static void OnCharacters(void* context, const xmlChar* chars, int length);
  static void OnProcessingInstruction(void* context, const xmlChar* target, const xmlChar* data);

  HRESULT StartElement(const xmlChar* name, const xmlChar** attributes);
  HRESULT EndElement(const xmlChar* name);
  HRESULT DeclarePrefixes(const xmlChar** attributes);
  HRESULT CollectAttributes(const xmlChar** attributes);
  // Converts a qualified name into arena and resolves its prefix; attributes without a
  // prefix are in no namespace.
  HRESULT ResolveName(std::string_view qName, bool isElement, Utf16Arena& arena, Name& name);
  const std::u16string* LookupPrefix(std::u16string_view prefix) const;
  HRESULT EndPrefixes();

  static const xmlSAXHandler& Handler();

  ComPtr<ISAXContentHandler> handler_;
  ComPtr<SaxAttributes> attributes_;
  Utf16Arena names_;
  std::string decoded_;
  std::vector<Binding> bindings_;
  int depth_ = 0;
  PushParser parser_;
};

}  // namespace kx::xml
