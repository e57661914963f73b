// PushParser: one parse of a document that arrives in chunks, through a libxml2 push parser
// set up for untrusted input: a document type declaration stops the parse (so no DTD or
// external entity is loaded and no entity can be expanded beyond the predefined ones), nothing
// is fetched from the network and nothing is printed.
//
// Used by the DOM (libxml2 builds the tree) and by the SAX reader (its own callbacks). Every
// callback receives the parser context; PushParser::Of finds the parse from it.
#pragma once

#include <libxml/parser.h>

#include <string_view>

#include "objidl.h"

namespace kx::xml {

// Deeper nesting fails the parse; no fixed page or ticket comes near it.
inline constexpr int kMaxDepth = 256;

// The result of a document that is not well formed, or that carries a DTD.
inline constexpr HRESULT kParseFailure = E_FAIL;

class PushParser {
 public:
  // A null sax builds a tree (TakeDocument); otherwise sax's callbacks run, with `owner`
  // reachable through Owner().
  explicit PushParser(const xmlSAXHandler* sax = nullptr, void* owner = nullptr);
  ~PushParser();
  PushParser(const PushParser&) = delete;
  PushParser& operator=(const PushParser&) = delete;

  // Reads source to its end, 64 KB at a time.
  HRESULT ParseStream(ISequentialStream* source);
  HRESULT ParseBytes(std::string_view bytes);
  // Text that is already decoded: an encoding named in its declaration is ignored.
  HRESULT ParseText(std::u16string_view text);

  // Stops the parse; the first failure becomes its result.
  void Fail(HRESULT hr);
  bool Stopped() const { return FAILED(failure_); }
  void* Owner() const { return owner_; }
  int LineNumber() const;
  int ColumnNumber() const;

  // The tree of a successful parse without a sax handler; the caller frees it.
  xmlDocPtr TakeDocument();

  static PushParser& Of(void* context);

 private:
  HRESULT Push(const char* bytes, std::size_t count, bool last);
  HRESULT Result() const;

  const xmlSAXHandler* sax_;
  void* owner_;
  xmlParserCtxtPtr context_ = nullptr;
  HRESULT failure_ = S_OK;
  bool ignoreDeclaredEncoding_ = false;
};

}  // namespace kx::xml
