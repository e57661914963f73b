#include "ticket_scope.h"

#include <algorithm>

namespace kx::pt {

namespace {

EPrintTicketScope ScopeOf(const QName& name) {
  if (name.local.starts_with("Page")) return kPTPageScope;
  if (name.local.starts_with("Document")) return kPTDocumentScope;
  return kPTJobScope;
}

}  // namespace

bool InScope(const QName& name, EPrintTicketScope scope) { return ScopeOf(name) <= scope; }

void KeepScope(std::vector<Element>& rootElements, EPrintTicketScope scope) {
  std::erase_if(rootElements,
                [&](const Element& element) { return !InScope(element.name, scope); });
}

}  // namespace kx::pt
