#include "ticket_parsing.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <array>
#include <climits>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace kx::pt {

namespace {

constexpr int kMaxDepth = 64;

std::string_view Text(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

const xmlChar* Xml(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

struct XmlFree {
  void operator()(xmlChar* text) const { xmlFree(text); }
};
using XmlText = std::unique_ptr<xmlChar, XmlFree>;

struct KindName {
  std::string_view local;
  Kind kind;
};
constexpr std::array kKindNames{
    KindName{"Feature", Kind::Feature},
    KindName{"Option", Kind::Option},
    KindName{"Property", Kind::Property},
    KindName{"ScoredProperty", Kind::ScoredProperty},
    KindName{"ParameterInit", Kind::ParameterInit},
    KindName{"ParameterDef", Kind::ParameterDef},
    KindName{"ParameterRef", Kind::ParameterRef},
    KindName{"Value", Kind::Value},
};

// Which elements each element may hold.
bool MayHold(Kind parent, Kind child) {
  switch (parent) {
    case Kind::Feature:
      return child == Kind::Option || child == Kind::Feature || child == Kind::Property;
    case Kind::Option:
      return child == Kind::ScoredProperty || child == Kind::Property;
    case Kind::ScoredProperty:
      return child == Kind::Value || child == Kind::ParameterRef || child == Kind::Property;
    case Kind::Property:
      return child == Kind::Value || child == Kind::Property;
    case Kind::ParameterInit:
      return child == Kind::Value;
    case Kind::ParameterDef:
      return child == Kind::Property;
    case Kind::ParameterRef:
    case Kind::Value:
      return false;
  }
  return false;
}

bool NeedsName(Kind kind) { return kind != Kind::Option && kind != Kind::Value; }

class Parser {
 public:
  Parser(xmlDoc* doc, HRESULT formatError) : doc_(doc), formatError_(formatError) {}

  Document Root(RootKind expected) {
    xmlNode* root = xmlDocGetRootElement(doc_);
    const bool capabilities = expected == RootKind::PrintCapabilities;
    const std::string_view rootName = capabilities ? "PrintCapabilities" : "PrintTicket";
    if (!root || !InFramework(root) || Text(root->name) != rootName) {
      Fail(root, "the root element is not psf:" + std::string(rootName));
    }
    Document document;
    document.capabilities = capabilities;
    document.version = Version(root);
    for (xmlNs* ns = root->nsDef; ns; ns = ns->next) {
      if (ns->prefix) {
        document.rootNamespaces.emplace_back(std::string(Text(ns->prefix)),
                                             std::string(Text(ns->href)));
      }
    }
    for (xmlNode* node = root->children; node; node = node->next) {
      if (auto element = Child(node, 1)) {
        const bool allowed =
            element->kind == Kind::Feature || element->kind == Kind::Property ||
            element->kind == (capabilities ? Kind::ParameterDef : Kind::ParameterInit);
        if (!allowed) Fail(node, "element not allowed under the root");
        document.children.push_back(std::move(*element));
      }
    }
    return document;
  }

 private:
  static bool InFramework(const xmlNode* node) {
    return node->ns && Text(node->ns->href) == kFrameworkNs;
  }

  [[noreturn]] void Fail(const xmlNode* node, const std::string& what) const {
    std::string message = node ? "line " + std::to_string(xmlGetLineNo(node)) + ": " : "";
    throw FormatError{formatError_, message + what};
  }

  int Version(xmlNode* root) const {
    XmlText version(xmlGetProp(root, Xml("version")));
    long long number = 0;
    if (!version || !IsInteger(Text(version.get()), &number) || number < 1 || number > INT_MAX) {
      Fail(root, "the root element needs an integer version attribute");
    }
    return static_cast<int>(number);
  }

  QName Resolve(const xmlNode* node, std::string_view qualified, std::string_view what) const {
    const auto colon = qualified.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == qualified.size()) {
      Fail(node, std::string(what) + " \"" + std::string(qualified) + "\" is not a prefixed name");
    }
    const std::string prefix(qualified.substr(0, colon));
    xmlNs* ns = xmlSearchNs(doc_, const_cast<xmlNode*>(node), Xml(prefix.c_str()));
    if (!ns || !ns->href) Fail(node, "undeclared prefix \"" + prefix + "\"");
    return {std::string(Text(ns->href)), std::string(qualified.substr(colon + 1))};
  }

  QName Attribute(xmlNode* node, const char* name, const xmlChar* ns) const {
    XmlText value(ns ? xmlGetNsProp(node, Xml(name), ns) : xmlGetNoNsProp(node, Xml(name)));
    if (!value) return {};
    return Resolve(node, TrimXmlSpace(Text(value.get())), name);
  }

  std::optional<Element> Child(xmlNode* node, int depth) const {
    if (node->type != XML_ELEMENT_NODE) return std::nullopt;
    // Elements of other namespaces carry nothing the service understands.
    if (!InFramework(node)) return std::nullopt;
    if (depth > kMaxDepth) Fail(node, "elements nested too deeply");
    Element element;
    element.kind = KindOf(node);
    element.name = Attribute(node, "name", nullptr);
    if (NeedsName(element.kind) && element.name.Empty()) {
      Fail(node, "psf:" + std::string(Text(node->name)) + " needs a name attribute");
    }
    if (element.kind == Kind::Value) {
      ReadValue(node, element);
      return element;
    }
    element.constrained = Attribute(node, "constrained", nullptr);
    for (xmlNode* child = node->children; child; child = child->next) {
      if (auto parsed = Child(child, depth + 1)) {
        if (!MayHold(element.kind, parsed->kind)) Fail(child, "element not allowed here");
        element.children.push_back(std::move(*parsed));
      }
    }
    return element;
  }

  Kind KindOf(const xmlNode* node) const {
    for (const KindName& entry : kKindNames) {
      if (entry.local == Text(node->name)) return entry.kind;
    }
    Fail(node, "unknown element psf:" + std::string(Text(node->name)));
  }

  void ReadValue(xmlNode* node, Element& value) const {
    for (xmlNode* child = node->children; child; child = child->next) {
      if (child->type == XML_ELEMENT_NODE) Fail(child, "a value holds text only");
    }
    value.valueType = Attribute(node, "type", Xml(std::string(kSchemaInstanceNs).c_str()));
    if (value.valueType.Empty()) value.valueType = SchemaType("string");
    XmlText text(xmlNodeGetContent(node));
    if (value.valueType == SchemaType("QName")) {
      value.qnameValue = Resolve(node, TrimXmlSpace(Text(text.get())), "value");
    } else {
      value.text = std::string(Text(text.get()));
    }
  }

  xmlDoc* doc_;
  HRESULT formatError_;
};

}  // namespace

Document ParseDocument(std::string_view bytes, RootKind root, HRESULT formatError) {
  static std::once_flag initialized;
  std::call_once(initialized, [] { xmlInitParser(); });
  if (bytes.size() > kMaxDocumentBytes) {
    throw FormatError{formatError, "document larger than 16 MiB"};
  }
  std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> context(xmlNewParserCtxt(),
                                                                       xmlFreeParserCtxt);
  if (!context) throw std::bad_alloc();
  std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
      xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()), nullptr,
                        nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
      xmlFreeDoc);
  if (!doc) {
    const xmlError* error = xmlCtxtGetLastError(context.get());
    std::string message = error && error->message ? error->message : "not well-formed XML";
    while (!message.empty() && message.back() == '\n') message.pop_back();
    throw FormatError{formatError,
                      error ? "line " + std::to_string(error->line) + ": " + message : message};
  }
  if (doc->intSubset || doc->extSubset) {
    throw FormatError{formatError, "document type declarations are not accepted"};
  }
  return Parser(doc.get(), formatError).Root(root);
}

}  // namespace kx::pt
