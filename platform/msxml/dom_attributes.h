// The attributes of a DOM element as the DOM shows them: the element's namespace declarations
// (as attributes named xmlns and xmlns:prefix) first, then its other attributes, each group in
// document order.
#pragma once

#include <string_view>
#include <vector>

#include "dom_document.h"

namespace kx::xml {

std::vector<xmlNodePtr> AttributeItems(DomDocument& owner, xmlNodePtr element);
// The item with that qualified name, or null.
xmlNodePtr FindAttributeItem(DomDocument& owner, xmlNodePtr element,
                             std::string_view qualifiedName);
// Attaches attribute (an unattached attribute of the same document) to element, replacing an
// attribute of the same name, which is handed back in replaced (S_FALSE and null when none).
HRESULT AttachAttribute(DomDocument& owner, xmlNodePtr element, IXMLDOMNode* attribute,
                        IXMLDOMNode** replaced);
// Removes the attribute of that qualified name; S_FALSE when there is none.
HRESULT DetachAttribute(DomDocument& owner, xmlNodePtr element, std::string_view qualifiedName,
                        IXMLDOMNode** removed);

}  // namespace kx::xml
