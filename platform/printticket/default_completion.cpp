#include "default_completion.h"

#include <algorithm>
#include <array>

#include "parameter_validation.h"
#include "ticket_scope.h"

namespace kx::pt {

namespace {

// Settings that the Job, Document and Page levels express by different keywords; a ticket
// holding one of them gets no default for the others.
constexpr std::array<std::array<std::string_view, 3>, 5> kAlternatives{{
    {"JobDuplexAllDocumentsContiguously", "DocumentDuplex", ""},
    {"JobNUpAllDocumentsContiguously", "DocumentNUp", ""},
    {"JobBindAllDocuments", "DocumentBinding", ""},
    {"JobCollateAllDocuments", "DocumentCollate", ""},
    {"JobInputBin", "DocumentInputBin", "PageInputBin"},
}};

bool AlternativePresent(const Document& ticket, const QName& feature) {
  if (feature.ns != kKeywordsNs) return false;
  for (const auto& group : kAlternatives) {
    if (std::find(group.begin(), group.end(), feature.local) == group.end()) continue;
    for (std::string_view keyword : group) {
      if (!keyword.empty() && FindChild(ticket.children, Kind::Feature, Keyword(keyword))) {
        return true;
      }
    }
  }
  return false;
}

void CollectReferences(const Element& element, std::vector<QName>& references) {
  if (element.kind == Kind::ParameterRef) references.push_back(element.name);
  for (const Element& child : element.children) CollectReferences(child, references);
}

void AddReferencedParameters(Document& ticket, const Document& capabilities,
                             EPrintTicketScope scope) {
  std::vector<QName> references;
  for (const Element& setting : ticket.children) {
    if (setting.kind == Kind::Feature) CollectReferences(setting, references);
  }
  for (const QName& name : references) {
    if (!InScope(name, scope) || FindChild(ticket.children, Kind::ParameterInit, name)) continue;
    if (const Element* def = FindChild(capabilities.children, Kind::ParameterDef, name)) {
      ticket.children.push_back(DefaultParameter(*def));
    }
  }
}

}  // namespace

void AddDefaults(Document& ticket, const DeviceDescription& device, EPrintTicketScope scope) {
  for (const Element& setting : device.defaultTicket.children) {
    const bool wanted =
        (setting.kind == Kind::Feature && !AlternativePresent(ticket, setting.name)) ||
        setting.kind == Kind::ParameterInit;
    if (wanted && InScope(setting.name, scope) &&
        !FindChild(ticket.children, setting.kind, setting.name)) {
      ticket.children.push_back(setting);
    }
  }
  AddReferencedParameters(ticket, device.capabilities, scope);
}

}  // namespace kx::pt
