// XPath 1.0 selection for the DOM: the SelectionNamespaces declarations and evaluation.
#pragma once

#include <libxml/tree.h>

#include <string>
#include <utility>
#include <vector>

#include "winerror.h"

namespace kx::xml {

using NamespaceDeclarations = std::vector<std::pair<std::string, std::string>>;

// Parses "xmlns:p='uri' xmlns:q=\"uri\"" (blank-separated, either quote). E_FAIL when the
// text has another form.
HRESULT ParseSelectionNamespaces(std::string_view text, NamespaceDeclarations& declarations);

// Evaluates expression with context as the context node; the nodes of the result, in document
// order. E_FAIL for an expression that does not compile or does not give a node set. With
// firstOnly, nodes after the first may be left out.
HRESULT SelectNodes(xmlNodePtr context, const NamespaceDeclarations& declarations,
                    const std::string& expression, std::vector<xmlNodePtr>& nodes,
                    bool firstOnly = false);

}  // namespace kx::xml
