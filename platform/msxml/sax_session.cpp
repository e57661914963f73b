#include "sax_session.h"

#include <cstring>

#include "kx/hresult_error.h"

namespace kx::xml {
namespace {

constexpr std::u16string_view kXmlPrefix = u"xml";
constexpr std::u16string_view kXmlNamespace = u"http://www.w3.org/XML/1998/namespace";

std::string_view ViewOf(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

// The prefix a namespace declaration binds ("" for the default namespace), or false when the
// attribute declares none.
bool DeclaredPrefix(std::string_view name, std::string_view& prefix) {
  if (name == "xmlns") {
    prefix = {};
    return true;
  }
  if (name.starts_with("xmlns:")) {
    prefix = name.substr(6);
    return true;
  }
  return false;
}

// Without entity substitution libxml2 hands over an attribute's ampersands, however they were
// written, as "&#38;" (and resolves every other reference); this restores them.
std::string_view AttributeValue(const xmlChar* raw, std::string& decoded) {
  const std::string_view value = ViewOf(raw);
  constexpr std::string_view kAmpersand = "&#38;";
  std::size_t at = value.find(kAmpersand);
  if (at == std::string_view::npos) return value;
  decoded.clear();
  std::size_t plain = 0;
  for (; at != std::string_view::npos; at = value.find(kAmpersand, plain)) {
    decoded.append(value.substr(plain, at - plain)).push_back('&');
    plain = at + kAmpersand.size();
  }
  return decoded.append(value.substr(plain));
}

}  // namespace

const xmlSAXHandler& SaxSession::Handler() {
  static const xmlSAXHandler handler = [] {
    xmlSAXHandler sax;
    std::memset(&sax, 0, sizeof sax);
    sax.initialized = 1;  // the SAX1 form: qualified names and attributes as written
    sax.startDocument = OnStartDocument;
    sax.endDocument = OnEndDocument;
    sax.startElement = OnStartElement;
    sax.endElement = OnEndElement;
    sax.characters = OnCharacters;
    sax.ignorableWhitespace = OnCharacters;
    sax.processingInstruction = OnProcessingInstruction;
    return sax;
  }();
  return handler;
}

SaxSession::SaxSession(ISAXContentHandler* handler)
    : handler_(handler), attributes_(MakeComObject<SaxAttributes>()), parser_(&Handler(), this) {}

SaxSession::~SaxSession() = default;

template <class Fn>
void SaxSession::Dispatch(void* context, Fn fn) noexcept {
  PushParser& parser = PushParser::Of(context);
  if (parser.Stopped()) return;
  auto& session = *static_cast<SaxSession*>(parser.Owner());
  const HRESULT hr = HResultBoundary([&] { return fn(session); });
  if (FAILED(hr)) parser.Fail(hr);
}

void SaxSession::OnStartDocument(void* context) {
  Dispatch(context, [](SaxSession& session) {
    return session.handler_ ? session.handler_->startDocument() : S_OK;
  });
}

void SaxSession::OnEndDocument(void* context) {
  Dispatch(context, [](SaxSession& session) {
    return session.handler_ ? session.handler_->endDocument() : S_OK;
  });
}

void SaxSession::OnStartElement(void* context, const xmlChar* name, const xmlChar** attributes) {
  Dispatch(context, [&](SaxSession& session) { return session.StartElement(name, attributes); });
}

void SaxSession::OnEndElement(void* context, const xmlChar* name) {
  Dispatch(context, [&](SaxSession& session) { return session.EndElement(name); });
}

void SaxSession::OnCharacters(void* context, const xmlChar* chars, int length) {
  Dispatch(context, [&](SaxSession& session) {
    if (!session.handler_) return S_OK;
    session.names_.Clear();
    const auto text = session.names_.Append(
        std::string_view(reinterpret_cast<const char*>(chars), static_cast<std::size_t>(length)));
    return session.handler_->characters(session.names_.Data(text), static_cast<int>(text.length));
  });
}

void SaxSession::OnProcessingInstruction(void* context, const xmlChar* target,
                                         const xmlChar* data) {
  Dispatch(context, [&](SaxSession& session) {
    if (!session.handler_) return S_OK;
    Utf16Arena& text = session.names_;
    text.Clear();
    const auto targetSpan = text.Append(ViewOf(target));
    const auto dataSpan = text.Append(ViewOf(data));
    return session.handler_->processingInstruction(
        text.Data(targetSpan), static_cast<int>(targetSpan.length), text.Data(dataSpan),
        static_cast<int>(dataSpan.length));
  });
}

const std::u16string* SaxSession::LookupPrefix(std::u16string_view prefix) const {
  for (auto it = bindings_.rbegin(); it != bindings_.rend(); ++it)
    if (it->prefix == prefix) return &it->uri;
  return nullptr;
}

HRESULT SaxSession::ResolveName(std::string_view qName, bool isElement, Utf16Arena& arena,
                                Name& name) {
  name.qName = arena.Append(qName);
  // Most names have no prefix, which a byte search of the UTF-8 tells at once.
  std::u16string_view prefix;
  if (qName.find(':') != std::string_view::npos) {
    const std::u16string_view written = arena.View(name.qName);
    prefix = written.substr(0, written.find(u':'));
  }
  name.localName = {name.qName.offset + prefix.size() + (prefix.empty() ? 0 : 1),
                    name.qName.length - prefix.size() - (prefix.empty() ? 0 : 1)};
  std::u16string_view uri;
  if (prefix == kXmlPrefix) {
    uri = kXmlNamespace;
  } else if (!prefix.empty() || isElement) {
    const std::u16string* bound = LookupPrefix(prefix);
    // A prefix without a declaration makes the document ill-formed.
    if (!bound && !prefix.empty()) return kParseFailure;
    if (bound) uri = *bound;
  }
  name.uri = arena.Append(uri);
  return S_OK;
}

HRESULT SaxSession::DeclarePrefixes(const xmlChar** attributes) {
  for (const xmlChar** at = attributes; at && *at; at += 2) {
    std::string_view prefix;
    if (!DeclaredPrefix(ViewOf(at[0]), prefix)) continue;
    Binding& binding =
        bindings_.emplace_back(Binding{ToUtf16(prefix), ToUtf16(ViewOf(at[1])), depth_});
    if (!handler_) continue;
    const HRESULT hr =
        handler_->startPrefixMapping(binding.prefix.data(), static_cast<int>(binding.prefix.size()),
                                     binding.uri.data(), static_cast<int>(binding.uri.size()));
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT SaxSession::CollectAttributes(const xmlChar** attributes) {
  attributes_->Clear();
  Utf16Arena& text = attributes_->Text();
  for (const xmlChar** at = attributes; at && *at; at += 2) {
    const std::string_view qName = ViewOf(at[0]);
    std::string_view prefix;
    Name name;
    if (DeclaredPrefix(qName, prefix)) {
      // Declarations are reported as they are written, in no namespace.
      name.qName = text.Append(qName);
      name.localName = text.Append(prefix.empty() ? qName : prefix);
      name.uri = text.Append(std::u16string_view());
    } else if (const HRESULT hr = ResolveName(qName, false, text, name); FAILED(hr)) {
      return hr;
    }
    attributes_->Add(name.uri, name.localName, name.qName,
                     text.Append(AttributeValue(at[1], decoded_)));
  }
  return S_OK;
}

HRESULT SaxSession::StartElement(const xmlChar* qName, const xmlChar** attributes) {
  if (++depth_ > kMaxDepth) return kParseFailure;
  HRESULT hr = DeclarePrefixes(attributes);
  if (SUCCEEDED(hr)) hr = CollectAttributes(attributes);
  names_.Clear();
  Name name;
  if (SUCCEEDED(hr)) hr = ResolveName(ViewOf(qName), true, names_, name);
  if (FAILED(hr) || !handler_) return hr;
  return handler_->startElement(names_.Data(name.uri), static_cast<int>(name.uri.length),
                                names_.Data(name.localName),
                                static_cast<int>(name.localName.length), names_.Data(name.qName),
                                static_cast<int>(name.qName.length), attributes_.Get());
}

HRESULT SaxSession::EndElement(const xmlChar* qName) {
  names_.Clear();
  Name name;
  HRESULT hr = ResolveName(ViewOf(qName), true, names_, name);
  if (SUCCEEDED(hr) && handler_) {
    hr = handler_->endElement(names_.Data(name.uri), static_cast<int>(name.uri.length),
                              names_.Data(name.localName), static_cast<int>(name.localName.length),
                              names_.Data(name.qName), static_cast<int>(name.qName.length));
  }
  if (SUCCEEDED(hr)) hr = EndPrefixes();
  --depth_;
  return hr;
}

HRESULT SaxSession::EndPrefixes() {
  while (!bindings_.empty() && bindings_.back().depth == depth_) {
    const Binding binding = std::move(bindings_.back());
    bindings_.pop_back();
    if (!handler_) continue;
    const HRESULT hr =
        handler_->endPrefixMapping(binding.prefix.data(), static_cast<int>(binding.prefix.size()));
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

}  // namespace kx::xml
