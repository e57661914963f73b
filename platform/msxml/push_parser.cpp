#include "push_parser.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "kx/utf16.h"

namespace kx::xml {
namespace {

constexpr ULONG kChunkSize = 64 * 1024;
// The encoding is detected from the first four bytes.
constexpr std::size_t kDetectionBytes = 4;

void IgnoreMessage(void*, const char*, ...) {}
void IgnoreStructuredError(void*, xmlErrorPtr) {}

void RefuseDoctype(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
  PushParser::Of(context).Fail(kParseFailure);
}

void Silence(xmlSAXHandler& sax) {
  sax.error = IgnoreMessage;
  sax.warning = IgnoreMessage;
  sax.fatalError = IgnoreMessage;
  if (sax.initialized == XML_SAX2_MAGIC) sax.serror = IgnoreStructuredError;
  sax.internalSubset = RefuseDoctype;
}

// Reads until buffer holds count bytes or the stream ends.
HRESULT ReadUpTo(ISequentialStream* source, std::vector<char>& buffer, std::size_t count) {
  while (buffer.size() < count) {
    const std::size_t used = buffer.size();
    buffer.resize(count);
    ULONG read = 0;
    const HRESULT hr = source->Read(buffer.data() + used, static_cast<ULONG>(count - used), &read);
    buffer.resize(used + std::min<std::size_t>(read, count - used));
    if (FAILED(hr)) return hr;
    if (read == 0) break;
  }
  return S_OK;
}

}  // namespace

PushParser::PushParser(const xmlSAXHandler* sax, void* owner) : sax_(sax), owner_(owner) {
  static std::once_flag initialised;
  std::call_once(initialised, xmlInitParser);
}

PushParser::~PushParser() {
  if (!context_) return;
  if (context_->myDoc) xmlFreeDoc(context_->myDoc);
  xmlFreeParserCtxt(context_);
}

PushParser& PushParser::Of(void* context) {
  return *static_cast<PushParser*>(static_cast<xmlParserCtxtPtr>(context)->_private);
}

void PushParser::Fail(HRESULT hr) {
  if (!Stopped()) failure_ = hr;
  if (context_) xmlStopParser(context_);
}

int PushParser::LineNumber() const { return context_ ? xmlSAX2GetLineNumber(context_) : 0; }
int PushParser::ColumnNumber() const { return context_ ? xmlSAX2GetColumnNumber(context_) : 0; }

HRESULT PushParser::Push(const char* bytes, std::size_t count, bool last) {
  if (!context_) {
    // A null user data makes libxml2 hand the context to every callback.
    context_ = xmlCreatePushParserCtxt(const_cast<xmlSAXHandler*>(sax_), nullptr, bytes,
                                       static_cast<int>(count), nullptr);
    if (!context_) return E_OUTOFMEMORY;
    context_->_private = this;
    if (!sax_) xmlCtxtUseOptions(context_, XML_PARSE_NONET | XML_PARSE_NOBLANKS);
    context_->options |= XML_PARSE_NONET;
    if (ignoreDeclaredEncoding_) context_->options |= XML_PARSE_IGNORE_ENC;
    Silence(*context_->sax);
    bytes = nullptr;
    count = 0;
  }
  if (!Stopped()) xmlParseChunk(context_, bytes, static_cast<int>(count), last);
  return Result();
}

HRESULT PushParser::Result() const {
  if (Stopped()) return failure_;
  return context_->wellFormed && context_->nsWellFormed ? S_OK : kParseFailure;
}

HRESULT PushParser::ParseStream(ISequentialStream* source) {
  if (!source) return E_POINTER;
  std::vector<char> buffer;
  buffer.reserve(kChunkSize);
  HRESULT hr = ReadUpTo(source, buffer, kDetectionBytes);
  while (SUCCEEDED(hr) && !buffer.empty()) {
    hr = Push(buffer.data(), buffer.size(), false);
    buffer.clear();
    if (SUCCEEDED(hr)) hr = ReadUpTo(source, buffer, kChunkSize);
  }
  return SUCCEEDED(hr) ? Push(nullptr, 0, true) : hr;
}

HRESULT PushParser::ParseBytes(std::string_view bytes) {
  HRESULT hr = S_OK;
  do {
    const std::size_t count = std::min<std::size_t>(bytes.size(), kChunkSize);
    hr = Push(bytes.data(), count, count == bytes.size());
    bytes.remove_prefix(count);
  } while (SUCCEEDED(hr) && !bytes.empty());
  return hr;
}

HRESULT PushParser::ParseText(std::u16string_view text) {
  ignoreDeclaredEncoding_ = true;
  return ParseBytes(Utf16ToUtf8(text));
}

xmlDocPtr PushParser::TakeDocument() {
  if (!context_) return nullptr;
  xmlDocPtr document = context_->myDoc;
  context_->myDoc = nullptr;
  return document;
}

}  // namespace kx::xml
