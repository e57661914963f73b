// DomTrees: the libxml2 trees behind one DOMDocument60 and the nodes cut from them.
//
// Node wrappers hold plain libxml2 pointers, so nothing a wrapper may still point at is freed
// before the document object itself goes: a reload keeps the earlier tree, and removed or
// unattached nodes are kept as orphans. All of it is freed together at the end.
#pragma once

#include <libxml/tree.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "oleauto.h"

namespace kx::xml {

class DomTrees {
 public:
  DomTrees();
  ~DomTrees();
  DomTrees(const DomTrees&) = delete;
  DomTrees& operator=(const DomTrees&) = delete;

  xmlDocPtr Current() const { return trees_.back(); }
  // Makes document (or a new empty one when null) the current tree.
  void Replace(xmlDocPtr document);

  // Records a node of the current tree that has no parent, to be freed at the end.
  void AdoptOrphan(xmlNodePtr node);
  // The namespace declaration ns of element, seen as an attribute named xmlns or xmlns:prefix.
  xmlAttrPtr DeclarationAttribute(xmlNodePtr element, xmlNsPtr ns);

 private:
  std::vector<xmlDocPtr> trees_;
  std::unordered_set<xmlNodePtr> orphans_;
  std::unordered_map<xmlNsPtr, xmlAttrPtr> declarations_;
};

// Tree operations that never merge or free nodes (libxml2's own may merge adjacent text).
void LinkChild(xmlNodePtr parent, xmlNodePtr child, xmlNodePtr before);
void LinkAttribute(xmlNodePtr element, xmlAttrPtr attribute);

std::string QualifiedName(xmlNodePtr node);
// Text content of a node and its descendants.
std::string TextOf(xmlNodePtr node);
// Replaces the content of an attribute or character node, or the children of an element,
// with text taken as it is (no entity references). Removed children go to trees.
void SetText(DomTrees& trees, xmlNodePtr node, std::string_view text);
// The attribute of element with that qualified name, or null.
xmlAttrPtr FindAttribute(xmlNodePtr element, std::string_view qualifiedName);
// The markup of one node, without an XML declaration.
std::string Serialize(xmlNodePtr node);
// The whole document as UTF-8 with an XML declaration.
std::string SerializeDocument(xmlDocPtr document);

// BSTR conversions; allocation failure throws HResultError(E_OUTOFMEMORY).
BSTR NewBstr(std::string_view utf8);
std::string FromBstr(BSTR text);
inline const xmlChar* XmlText(const std::string& text) {
  return reinterpret_cast<const xmlChar*>(text.c_str());
}
inline std::string_view ViewOf(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

}  // namespace kx::xml
