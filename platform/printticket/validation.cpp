#include "validation.h"

#include <algorithm>
#include <optional>

#include "default_completion.h"
#include "option_matching.h"
#include "parameter_validation.h"
#include "ticket_queries.h"
#include "ticket_scope.h"

namespace kx::pt {

namespace {

bool PickMany(const Element& capabilitiesFeature) {
  const Element* selection = FindChild(capabilitiesFeature.children, Kind::Property,
                                       {std::string(kFrameworkNs), "SelectionType"});
  const Element* value = selection ? FindValue(*selection) : nullptr;
  return value && value->qnameValue == Keyword("PickMany");
}

// The option a feature falls back to: the default ticket's, else for a sub-feature the first
// one offered. A top-level feature without a default has none.
std::optional<Element> FallbackOption(const Element& capabilitiesFeature,
                                      const Element* defaultFeature, bool subFeature) {
  if (const Element* option = defaultFeature ? FirstOption(*defaultFeature) : nullptr) {
    return *option;
  }
  const Element* offered = subFeature ? FirstOption(capabilitiesFeature) : nullptr;
  if (!offered) return std::nullopt;
  Element option = MakeElement(Kind::Option, {});
  CompleteOption(option, *offered);
  return option;
}

class FeatureValidator {
 public:
  bool changed = false;

  // False when the feature has to go.
  bool Fit(Element& feature, const Element& offered, const Element* defaults, bool subFeature) {
    if (!FitOptions(feature, offered, defaults, subFeature)) return false;
    FitSubFeatures(feature, offered, defaults);
    return true;
  }

 private:
  bool FitOptions(Element& feature, const Element& offered, const Element* defaults,
                  bool subFeature) {
    const bool many = PickMany(offered);
    bool hadOptions = false;
    bool kept = false;
    KeepIf(feature.children, [&](Element& child) {
      if (child.kind != Kind::Option) return true;
      hadOptions = true;
      const Element* match = (!kept || many) ? MatchOption(child, offered) : nullptr;
      if (!match) {
        changed = true;
        return false;
      }
      CompleteOption(child, *match);
      kept = true;
      return true;
    });
    if (kept) return true;
    auto fallback = FallbackOption(offered, defaults, subFeature);
    if (!fallback) {
      changed = true;
      return false;
    }
    changed |= hadOptions;
    feature.children.insert(feature.children.begin(), std::move(*fallback));
    return true;
  }

  void FitSubFeatures(Element& feature, const Element& offered, const Element* defaults) {
    KeepIf(feature.children, [&](Element& child) {
      if (child.kind != Kind::Feature) return true;
      const Element* sub = FindChild(offered.children, Kind::Feature, child.name);
      const Element* subDefaults =
          defaults ? FindChild(defaults->children, Kind::Feature, child.name) : nullptr;
      const bool keep = sub && Fit(child, *sub, subDefaults, true);
      changed |= !keep;
      return keep;
    });
    for (const Element& sub : offered.children) {
      if (sub.kind != Kind::Feature || FindChild(feature.children, Kind::Feature, sub.name)) {
        continue;
      }
      const Element* subDefaults =
          defaults ? FindChild(defaults->children, Kind::Feature, sub.name) : nullptr;
      if (auto option = FallbackOption(sub, subDefaults, true)) {
        feature.children.push_back(MakeElement(Kind::Feature, sub.name, {std::move(*option)}));
      }
    }
  }
};

bool Declared(const Document& capabilities, const QName& name) {
  return std::any_of(capabilities.rootNamespaces.begin(), capabilities.rootNamespaces.end(),
                     [&](const auto& entry) { return entry.second == name.ns; });
}

}  // namespace

bool Validate(Document& ticket, const DeviceDescription& device, EPrintTicketScope scope) {
  const Document& capabilities = device.capabilities;
  FeatureValidator features;
  features.changed = RemoveDuplicates(ticket.children);
  KeepScope(ticket.children, scope);
  KeepIf(ticket.children, [&](Element& setting) {
    bool keep = Declared(capabilities, setting.name);
    if (keep && setting.kind == Kind::Feature) {
      const Element* offered = FindChild(capabilities.children, Kind::Feature, setting.name);
      const Element* defaults =
          FindChild(device.defaultTicket.children, Kind::Feature, setting.name);
      keep = offered && features.Fit(setting, *offered, defaults, false);
    } else if (keep && setting.kind == Kind::ParameterInit) {
      const Element* def = FindChild(capabilities.children, Kind::ParameterDef, setting.name);
      keep = def != nullptr;
      features.changed |= keep && FitParameter(setting, *def);
    }
    features.changed |= !keep;
    return keep;
  });
  AddDefaults(ticket, device, scope);
  return features.changed;
}

}  // namespace kx::pt
