#include "dom_attributes.h"

#include "kx/hresult_error.h"

namespace kx::xml {

std::vector<xmlNodePtr> AttributeItems(DomDocument& owner, xmlNodePtr element) {
  std::vector<xmlNodePtr> items;
  for (xmlNsPtr ns = element->nsDef; ns; ns = ns->next)
    items.push_back(reinterpret_cast<xmlNodePtr>(owner.Trees().DeclarationAttribute(element, ns)));
  for (xmlAttrPtr attribute = element->properties; attribute; attribute = attribute->next)
    items.push_back(reinterpret_cast<xmlNodePtr>(attribute));
  return items;
}

xmlNodePtr FindAttributeItem(DomDocument& owner, xmlNodePtr element,
                             std::string_view qualifiedName) {
  for (xmlNodePtr item : AttributeItems(owner, element))
    if (QualifiedName(item) == qualifiedName) return item;
  return nullptr;
}

HRESULT AttachAttribute(DomDocument& owner, xmlNodePtr element, IXMLDOMNode* attribute,
                        IXMLDOMNode** replaced) {
  if (replaced) *replaced = nullptr;
  xmlNodePtr node = Unwrap(owner, attribute);
  if (node->type != XML_ATTRIBUTE_NODE || node->parent) return E_INVALIDARG;
  HRESULT hr = S_FALSE;
  if (xmlAttrPtr old = FindAttribute(element, QualifiedName(node))) {
    xmlUnlinkNode(reinterpret_cast<xmlNodePtr>(old));
    owner.Trees().AdoptOrphan(reinterpret_cast<xmlNodePtr>(old));
    hr = replaced ? HandOut(owner, reinterpret_cast<xmlNodePtr>(old), replaced) : S_OK;
  }
  LinkAttribute(element, reinterpret_cast<xmlAttrPtr>(node));
  return hr;
}

HRESULT DetachAttribute(DomDocument& owner, xmlNodePtr element, std::string_view qualifiedName,
                        IXMLDOMNode** removed) {
  if (removed) *removed = nullptr;
  xmlAttrPtr attribute = FindAttribute(element, qualifiedName);
  if (!attribute) return S_FALSE;
  xmlUnlinkNode(reinterpret_cast<xmlNodePtr>(attribute));
  owner.Trees().AdoptOrphan(reinterpret_cast<xmlNodePtr>(attribute));
  return removed ? HandOut(owner, reinterpret_cast<xmlNodePtr>(attribute), removed) : S_OK;
}

}  // namespace kx::xml
