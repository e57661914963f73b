#include "ticket_writing.h"

#include <algorithm>

#include "kx/xml_escape.h"

namespace kx::pt {

namespace {

std::string_view ElementName(Kind kind) {
  switch (kind) {
    case Kind::Feature:
      return "Feature";
    case Kind::Option:
      return "Option";
    case Kind::Property:
      return "Property";
    case Kind::ScoredProperty:
      return "ScoredProperty";
    case Kind::ParameterInit:
      return "ParameterInit";
    case Kind::ParameterDef:
      return "ParameterDef";
    case Kind::ParameterRef:
      return "ParameterRef";
    case Kind::Value:
      return "Value";
  }
  return "Feature";
}

class Writer {
 public:
  explicit Writer(NamespaceList namespaces) : namespaces_(std::move(namespaces)) {}

  void Declare(const QName& name) {
    if (name.Empty() || PrefixOf(name.ns)) return;
    std::string prefix;
    for (int n = static_cast<int>(namespaces_.size());; ++n) {
      prefix = "ns" + std::to_string(n);
      if (std::none_of(namespaces_.begin(), namespaces_.end(),
                       [&](const auto& entry) { return entry.first == prefix; })) {
        break;
      }
    }
    namespaces_.emplace_back(prefix, name.ns);
  }

  void DeclareAll(const Element& element) {
    Declare(element.name);
    Declare(element.constrained);
    Declare(element.valueType);
    Declare(element.qnameValue);
    for (const Element& child : element.children) DeclareAll(child);
  }

  std::string Write(const Document& document) {
    out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<psf:";
    const std::string_view root = document.capabilities ? "PrintCapabilities" : "PrintTicket";
    out_ += root;
    out_ += " version=\"" + std::to_string(document.version) + "\"";
    for (const auto& [prefix, uri] : namespaces_) {
      out_ += " xmlns:" + prefix + "=\"";
      AppendXmlEscaped(out_, uri);
      out_ += "\"";
    }
    out_ += ">\n";
    for (const Element& child : document.children) WriteElement(child, 1);
    out_ += "</psf:";
    out_ += root;
    out_ += ">\n";
    return std::move(out_);
  }

 private:
  const std::string* PrefixOf(std::string_view uri) const {
    auto it = std::find_if(namespaces_.begin(), namespaces_.end(),
                           [&](const auto& entry) { return entry.second == uri; });
    return it == namespaces_.end() ? nullptr : &it->first;
  }

  void Qualified(const QName& name) {
    out_ += *PrefixOf(name.ns);
    out_ += ':';
    AppendXmlEscaped(out_, name.local);
  }

  void Attribute(std::string_view attribute, const QName& name) {
    if (name.Empty()) return;
    out_ += ' ';
    out_ += attribute;
    out_ += "=\"";
    Qualified(name);
    out_ += '"';
  }

  void WriteElement(const Element& element, int depth) {
    out_.append(2 * depth, ' ');
    out_ += "<psf:";
    out_ += ElementName(element.kind);
    Attribute("name", element.name);
    Attribute("constrained", element.constrained);
    if (element.kind == Kind::Value) {
      Attribute("xsi:type", element.valueType);
      out_ += '>';
      if (element.qnameValue.Empty()) {
        AppendXmlEscaped(out_, element.text);
      } else {
        Qualified(element.qnameValue);
      }
      out_ += "</psf:Value>\n";
      return;
    }
    if (element.children.empty()) {
      out_ += "/>\n";
      return;
    }
    const bool inlineValue =
        element.children.size() == 1 &&
        (element.children[0].kind == Kind::Value || element.children[0].kind == Kind::ParameterRef);
    out_ += inlineValue ? ">" : ">\n";
    for (const Element& child : element.children) {
      if (inlineValue) {
        WriteInline(child);
      } else {
        WriteElement(child, depth + 1);
      }
    }
    if (!inlineValue) out_.append(2 * depth, ' ');
    out_ += "</psf:";
    out_ += ElementName(element.kind);
    out_ += ">\n";
  }

  // A value or parameter reference on the line of its holder.
  void WriteInline(const Element& child) {
    WriteElement(child, 0);
    out_.pop_back();  // the newline
  }

  NamespaceList namespaces_;
  std::string out_;
};

}  // namespace

std::string WriteDocument(const Document& document, const NamespaceList& preferred) {
  NamespaceList namespaces{{"psf", std::string(kFrameworkNs)},
                           {"psk", std::string(kKeywordsNs)},
                           {"xsd", std::string(kSchemaNs)},
                           {"xsi", std::string(kSchemaInstanceNs)}};
  for (const auto& [prefix, uri] : preferred) {
    const bool taken = std::any_of(namespaces.begin(), namespaces.end(), [&](const auto& entry) {
      return entry.first == prefix || entry.second == uri;
    });
    if (!taken) namespaces.emplace_back(prefix, uri);
  }
  Writer writer(std::move(namespaces));
  for (const Element& child : document.children) writer.DeclareAll(child);
  return writer.Write(document);
}

}  // namespace kx::pt
