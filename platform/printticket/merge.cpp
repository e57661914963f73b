#include "merge.h"

#include "ticket_scope.h"

namespace kx::pt {

Document Merge(Document base, Document delta, EPrintTicketScope scope) {
  KeepScope(base.children, scope);
  KeepScope(delta.children, scope);
  for (Element& setting : delta.children) {
    if (Element* replaced = FindChild(base.children, setting.kind, setting.name)) {
      *replaced = std::move(setting);
    } else {
      base.children.push_back(std::move(setting));
    }
  }
  return base;
}

}  // namespace kx::pt
