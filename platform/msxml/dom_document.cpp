#include "dom_document.h"

#include <algorithm>
#include <cstring>

#include "class_registry.h"
#include "kx/hresult_error.h"
#include "push_parser.h"

namespace kx::xml {
namespace {

constexpr std::string_view kSelectionLanguage = "SelectionLanguage";
constexpr std::string_view kSelectionNamespaces = "SelectionNamespaces";

ComPtr<ISequentialStream> StreamOf(const VARIANT& value) {
  ComPtr<ISequentialStream> stream;
  if (value.vt != VT_UNKNOWN || !value.punkVal ||
      FAILED(ComPtr<IUnknown>(value.punkVal).As(stream)))
    throw HResultError{E_INVALIDARG};
  return stream;
}

// Splits "prefix:local"; the prefix is empty when the name has none.
std::pair<std::string, std::string> SplitName(const std::string& name) {
  const std::size_t colon = name.find(':');
  if (colon == std::string::npos) return {{}, name};
  return {name.substr(0, colon), name.substr(colon + 1)};
}

template <class I>
HRESULT HandOutAs(DomDocument& owner, xmlNodePtr node, I** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  ComPtr<IXMLDOMNode> wrapper;
  HRESULT hr = HandOut(owner, node, wrapper.ReleaseAndGetAddressOf());
  if (hr != S_OK) return hr;
  ComPtr<I> typed;
  hr = wrapper.As(typed);
  *out = typed.Detach();
  return hr;
}

HRESULT WriteAll(ISequentialStream* stream, const std::string& bytes) {
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    const ULONG count = static_cast<ULONG>(std::min<std::size_t>(bytes.size() - offset, 1 << 20));
    ULONG written = 0;
    const HRESULT hr = stream->Write(bytes.data() + offset, count, &written);
    if (FAILED(hr)) return hr;
    if (written == 0) return STG_E_MEDIUMFULL;
    offset += written;
  }
  return S_OK;
}

}  // namespace

template <class Parse>
HRESULT DomDocument::LoadWith(Parse parse, VARIANT_BOOL* isSuccessful) {
  if (isSuccessful) *isSuccessful = VARIANT_FALSE;
  PushParser parser;
  const HRESULT hr = parse(parser);
  trees_.Replace(SUCCEEDED(hr) ? parser.TakeDocument() : nullptr);
  if (FAILED(hr)) return S_FALSE;
  if (isSuccessful) *isSuccessful = VARIANT_TRUE;
  return S_OK;
}

HRESULT DomDocument::get_documentElement(IXMLDOMElement** element) {
  return HResultBoundary(
      [&] { return HandOutAs(*this, xmlDocGetRootElement(trees_.Current()), element); });
}

xmlNodePtr DomDocument::NewNode(DOMNodeType type, const std::string& name, const std::string& uri) {
  xmlDocPtr document = trees_.Current();
  auto [prefix, local] = SplitName(name);
  if (local.empty()) throw HResultError{E_INVALIDARG};
  // A namespace the root element declares with the same prefix is used as it is, so that the
  // node does not repeat the declaration once it is placed in the tree.
  xmlNodePtr root = xmlDocGetRootElement(document);
  xmlNsPtr rootNs = nullptr;
  if (!uri.empty() && root)
    rootNs = xmlSearchNs(document, root, prefix.empty() ? nullptr : XmlText(prefix));
  if (rootNs && ViewOf(rootNs->href) != uri) rootNs = nullptr;
  if (uri.empty()) local = name;
  xmlNodePtr node = nullptr;
  switch (type) {
    case NODE_ELEMENT:
      node = xmlNewDocNode(document, nullptr, XmlText(local), nullptr);
      if (node && !uri.empty())
        node->ns = rootNs
                       ? rootNs
                       : xmlNewNs(node, XmlText(uri), prefix.empty() ? nullptr : XmlText(prefix));
      break;
    case NODE_ATTRIBUTE:
      node = reinterpret_cast<xmlNodePtr>(
          xmlNewDocProp(document, XmlText(rootNs ? local : name), nullptr));
      if (node) node->ns = rootNs;
      break;
    case NODE_TEXT:
      node = xmlNewDocText(document, XmlText(name));
      break;
    default:
      throw HResultError{E_INVALIDARG};
  }
  if (!node) throw HResultError{E_OUTOFMEMORY};
  trees_.AdoptOrphan(node);
  return node;
}

HRESULT DomDocument::createElement(BSTR tagName, IXMLDOMElement** element) {
  return HResultBoundary(
      [&] { return HandOutAs(*this, NewNode(NODE_ELEMENT, FromBstr(tagName), {}), element); });
}

HRESULT DomDocument::createTextNode(BSTR data, IXMLDOMNode** text) {
  return HResultBoundary([&] {
    xmlNodePtr node = xmlNewDocText(trees_.Current(), nullptr);
    if (!node) return E_OUTOFMEMORY;
    trees_.AdoptOrphan(node);
    SetText(trees_, node, FromBstr(data));
    return HandOut(*this, node, text);
  });
}

HRESULT DomDocument::createAttribute(BSTR name, IXMLDOMAttribute** attribute) {
  return HResultBoundary(
      [&] { return HandOutAs(*this, NewNode(NODE_ATTRIBUTE, FromBstr(name), {}), attribute); });
}

HRESULT DomDocument::createNode(VARIANT type, BSTR name, BSTR namespaceURI, IXMLDOMNode** node) {
  return HResultBoundary([&] {
    if (type.vt != VT_I4) return E_INVALIDARG;
    if (type.lVal == NODE_TEXT) return createTextNode(name, node);
    return HandOut(
        *this, NewNode(static_cast<DOMNodeType>(type.lVal), FromBstr(name), FromBstr(namespaceURI)),
        node);
  });
}

HRESULT DomDocument::load(VARIANT xmlSource, VARIANT_BOOL* isSuccessful) {
  return HResultBoundary([&] {
    ComPtr<ISequentialStream> stream = StreamOf(xmlSource);
    return LoadWith([&](PushParser& parser) { return parser.ParseStream(stream.Get()); },
                    isSuccessful);
  });
}

HRESULT DomDocument::loadXML(BSTR bstrXML, VARIANT_BOOL* isSuccessful) {
  return HResultBoundary([&] {
    const std::u16string_view text(bstrXML ? bstrXML : u"", SysStringLen(bstrXML));
    return LoadWith([&](PushParser& parser) { return parser.ParseText(text); }, isSuccessful);
  });
}

HRESULT DomDocument::save(VARIANT destination) {
  return HResultBoundary(
      [&] { return WriteAll(StreamOf(destination).Get(), SerializeDocument(trees_.Current())); });
}

HRESULT DomDocument::setProperty(BSTR name, VARIANT value) {
  return HResultBoundary([&] {
    const std::string property = FromBstr(name);
    if (value.vt != VT_BSTR) return E_INVALIDARG;
    if (property == kSelectionLanguage) return FromBstr(value.bstrVal) == "XPath" ? S_OK : E_FAIL;
    if (property == kSelectionNamespaces)
      return ParseSelectionNamespaces(FromBstr(value.bstrVal), selectionNamespaces_);
    return E_FAIL;
  });
}

HRESULT DomDocument::getProperty(BSTR name, VARIANT* value) {
  if (!value) return E_POINTER;
  VariantInit(value);
  return HResultBoundary([&] {
    const std::string property = FromBstr(name);
    std::string text;
    if (property == kSelectionLanguage) {
      text = "XPath";
    } else if (property == kSelectionNamespaces) {
      for (const auto& [prefix, uri] : selectionNamespaces_)
        text.append(text.empty() ? "" : " ").append("xmlns:" + prefix + "='" + uri + "'");
    } else {
      return E_FAIL;
    }
    value->bstrVal = NewBstr(text);
    value->vt = VT_BSTR;
    return S_OK;
  });
}

void DomDocument::TakeSnapshot() {
  if (!streamWritten_) streamBytes_ = SerializeDocument(trees_.Current());
}

HRESULT DomDocument::Read(void* pv, ULONG cb, ULONG* pcbRead) {
  if (pcbRead) *pcbRead = 0;
  if (!pv && cb) return STG_E_INVALIDPOINTER;
  return HResultBoundary([&] {
    // Reading from the start takes a fresh copy of the XML.
    if (streamPosition_ == 0) TakeSnapshot();
    const std::size_t available =
        streamPosition_ < streamBytes_.size() ? streamBytes_.size() - streamPosition_ : 0;
    const std::size_t count = std::min<std::size_t>(cb, available);
    if (count) std::memcpy(pv, streamBytes_.data() + streamPosition_, count);
    streamPosition_ += count;
    if (pcbRead) *pcbRead = static_cast<ULONG>(count);
    return S_OK;
  });
}

HRESULT DomDocument::Write(const void* pv, ULONG cb, ULONG* pcbWritten) {
  if (pcbWritten) *pcbWritten = 0;
  if (!pv && cb) return STG_E_INVALIDPOINTER;
  return HResultBoundary([&] {
    if (!streamWritten_) {
      streamBytes_.clear();
      streamWritten_ = true;
    }
    if (streamPosition_ + cb > streamBytes_.size()) streamBytes_.resize(streamPosition_ + cb);
    std::memcpy(streamBytes_.data() + streamPosition_, pv, cb);
    streamPosition_ += cb;
    if (pcbWritten) *pcbWritten = cb;
    return S_OK;
  });
}

HRESULT DomDocument::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) {
  return HResultBoundary([&] {
    LONGLONG base = 0;
    if (dwOrigin == STREAM_SEEK_CUR) {
      base = static_cast<LONGLONG>(streamPosition_);
    } else if (dwOrigin == STREAM_SEEK_END) {
      if (streamPosition_ == 0) TakeSnapshot();
      base = static_cast<LONGLONG>(streamBytes_.size());
    } else if (dwOrigin != STREAM_SEEK_SET) {
      return STG_E_INVALIDFUNCTION;
    }
    const LONGLONG target = base + dlibMove.QuadPart;
    if (target < 0) return STG_E_INVALIDFUNCTION;
    streamPosition_ = static_cast<std::size_t>(target);
    if (plibNewPosition) plibNewPosition->QuadPart = streamPosition_;
    if (streamPosition_ != 0 || !streamWritten_) return S_OK;
    // Back at the start after writing: what was written becomes the document.
    streamWritten_ = false;
    const std::string bytes = std::move(streamBytes_);
    streamBytes_.clear();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    LoadWith([&](PushParser& parser) { return parser.ParseBytes(bytes); }, &loaded);
    return loaded ? S_OK : kParseFailure;
  });
}

HRESULT DomDocument::Stat(STATSTG* pstatstg, DWORD) {
  if (!pstatstg) return STG_E_INVALIDPOINTER;
  return HResultBoundary([&] {
    if (streamPosition_ == 0) TakeSnapshot();
    *pstatstg = STATSTG{};
    pstatstg->type = STGTY_STREAM;
    pstatstg->cbSize.QuadPart = streamBytes_.size();
    return S_OK;
  });
}

HRESULT DomDocument::SetSize(ULARGE_INTEGER) { return E_NOTIMPL; }
HRESULT DomDocument::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) {
  return E_NOTIMPL;
}
HRESULT DomDocument::Commit(DWORD) { return S_OK; }
HRESULT DomDocument::Revert() { return E_NOTIMPL; }
HRESULT DomDocument::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return E_NOTIMPL; }
HRESULT DomDocument::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return E_NOTIMPL; }
HRESULT DomDocument::Clone(IStream**) { return E_NOTIMPL; }

HRESULT CloneDocument(DomDocument& source, VARIANT_BOOL deep, IXMLDOMNode** clone) {
  xmlDocPtr copy = xmlCopyDoc(source.Trees().Current(), deep ? 1 : 0);
  if (!copy) return E_OUTOFMEMORY;
  auto document = MakeComObject<DomDocument>();
  document->Trees().Replace(copy);
  *clone = static_cast<IXMLDOMDocument2*>(document.Detach());
  return S_OK;
}

namespace {

HRESULT CreateDomDocument(REFIID riid, void** ppv) {
  return HResultBoundary([&] { return MakeComObject<DomDocument>()->QueryInterface(riid, ppv); });
}

const PlatformClassRegistration registration(CLSID_DOMDocument60, CreateDomDocument);

}  // namespace
}  // namespace kx::xml
