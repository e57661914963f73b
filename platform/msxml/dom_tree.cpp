#include "dom_tree.h"

#include <libxml/xmlsave.h>

#include "kx/hresult_error.h"
#include "kx/utf16.h"
#include "utf16_arena.h"

namespace kx::xml {
namespace {

xmlDocPtr NewEmptyDocument() {
  xmlDocPtr document = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
  if (!document) throw HResultError{E_OUTOFMEMORY};
  return document;
}

void FreeOrphan(xmlNodePtr node) {
  if (node->type == XML_ATTRIBUTE_NODE) {
    xmlFreeProp(reinterpret_cast<xmlAttrPtr>(node));
  } else {
    xmlFreeNode(node);
  }
}

// Unlinks every child of node into the orphans.
void OrphanChildren(DomTrees& trees, xmlNodePtr node) {
  while (xmlNodePtr child = node->children) {
    xmlUnlinkNode(child);
    trees.AdoptOrphan(child);
  }
}

}  // namespace

DomTrees::DomTrees() { trees_.push_back(NewEmptyDocument()); }

DomTrees::~DomTrees() {
  // An orphan that found a parent again is freed with that parent, so the roots are chosen
  // before anything is freed.
  std::vector<xmlNodePtr> roots;
  for (xmlNodePtr node : orphans_)
    if (!node->parent) roots.push_back(node);
  for (xmlNodePtr node : roots) FreeOrphan(node);
  for (xmlDocPtr document : trees_) xmlFreeDoc(document);
}

void DomTrees::Replace(xmlDocPtr document) {
  trees_.reserve(trees_.size() + 1);
  trees_.push_back(document ? document : NewEmptyDocument());
}

void DomTrees::AdoptOrphan(xmlNodePtr node) { orphans_.insert(node); }

xmlAttrPtr DomTrees::DeclarationAttribute(xmlNodePtr element, xmlNsPtr ns) {
  if (auto found = declarations_.find(ns); found != declarations_.end()) return found->second;
  std::string name = "xmlns";
  if (ns->prefix) name.append(":").append(ViewOf(ns->prefix));
  xmlAttrPtr attribute = xmlNewDocProp(element->doc, XmlText(name), ns->href);
  if (!attribute) throw HResultError{E_OUTOFMEMORY};
  AdoptOrphan(reinterpret_cast<xmlNodePtr>(attribute));
  declarations_.emplace(ns, attribute);
  return attribute;
}

void LinkChild(xmlNodePtr parent, xmlNodePtr child, xmlNodePtr before) {
  child->parent = parent;
  child->next = before;
  child->prev = before ? before->prev : parent->last;
  if (child->prev) {
    child->prev->next = child;
  } else {
    parent->children = child;
  }
  if (before) {
    before->prev = child;
  } else {
    parent->last = child;
  }
}

void LinkAttribute(xmlNodePtr element, xmlAttrPtr attribute) {
  attribute->parent = element;
  attribute->next = nullptr;
  attribute->prev = nullptr;
  if (!element->properties) {
    element->properties = attribute;
    return;
  }
  xmlAttrPtr last = element->properties;
  while (last->next) last = last->next;
  last->next = attribute;
  attribute->prev = last;
}

std::string QualifiedName(xmlNodePtr node) {
  std::string name;
  if (node->ns && node->ns->prefix) name.append(ViewOf(node->ns->prefix)).append(":");
  return name.append(ViewOf(node->name));
}

std::string TextOf(xmlNodePtr node) {
  xmlChar* content = xmlNodeGetContent(node);
  std::string text(ViewOf(content));
  xmlFree(content);
  return text;
}

void SetText(DomTrees& trees, xmlNodePtr node, std::string_view text) {
  const std::string copy(text);
  switch (node->type) {
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
      // Character nodes take their content as it is.
      xmlNodeSetContentLen(node, XmlText(copy), static_cast<int>(copy.size()));
      return;
    default:
      break;
  }
  OrphanChildren(trees, node);
  xmlNodePtr textNode = xmlNewDocTextLen(node->doc, XmlText(copy), static_cast<int>(copy.size()));
  if (!textNode) throw HResultError{E_OUTOFMEMORY};
  LinkChild(node, textNode, nullptr);
}

xmlAttrPtr FindAttribute(xmlNodePtr element, std::string_view qualifiedName) {
  for (xmlAttrPtr attribute = element->properties; attribute; attribute = attribute->next)
    if (QualifiedName(reinterpret_cast<xmlNodePtr>(attribute)) == qualifiedName) return attribute;
  return nullptr;
}

std::string Serialize(xmlNodePtr node) {
  xmlBufferPtr buffer = xmlBufferCreate();
  if (!buffer) throw HResultError{E_OUTOFMEMORY};
  std::string text;
  if (node->type == XML_DOCUMENT_NODE) {
    for (xmlNodePtr child = node->children; child; child = child->next) {
      xmlNodeDump(buffer, node->doc, child, 0, 0);
      text.append(ViewOf(xmlBufferContent(buffer)));
      xmlBufferEmpty(buffer);
    }
  } else {
    xmlNodeDump(buffer, node->doc, node, 0, 0);
    text.assign(ViewOf(xmlBufferContent(buffer)));
  }
  xmlBufferFree(buffer);
  // An attribute comes out as its own markup inside a start tag: " name="value"".
  if (node->type == XML_ATTRIBUTE_NODE && !text.empty() && text.front() == ' ') text.erase(0, 1);
  return text;
}

std::string SerializeDocument(xmlDocPtr document) {
  xmlChar* bytes = nullptr;
  int size = 0;
  xmlDocDumpMemoryEnc(document, &bytes, &size, "UTF-8");
  if (!bytes) throw HResultError{E_OUTOFMEMORY};
  std::string text(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
  xmlFree(bytes);
  return text;
}

BSTR NewBstr(std::string_view utf8) {
  const std::u16string text = ToUtf16(utf8);
  BSTR result = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!result) throw HResultError{E_OUTOFMEMORY};
  return result;
}

std::string FromBstr(BSTR text) { return Utf16ToUtf8({text ? text : u"", SysStringLen(text)}); }

}  // namespace kx::xml
