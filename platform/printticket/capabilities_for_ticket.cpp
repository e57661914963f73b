#include "capabilities_for_ticket.h"

#include <algorithm>
#include <array>

#include "driver_keywords.h"
#include "ticket_queries.h"

namespace kx::pt {

namespace {

struct Margins {
  long long left = 0;
  long long right = 0;
  long long top = 0;
  long long bottom = 0;
};

const Element* OfferedMediaOption(const Document& capabilities, const QName& option) {
  const Element* feature =
      FindChild(capabilities.children, Kind::Feature, Keyword("PageMediaSize"));
  return feature ? FindChild(feature->children, Kind::Option, option) : nullptr;
}

long long MarginValue(const Element& margins, std::string_view side) {
  const Element* property =
      FindChild(margins.children, Kind::Property, DriverKeyword("Margin" + std::string(side)));
  long long value = 0;
  return property && IsInteger(ValueText(*property), &value) ? std::max(value, 0LL) : 0;
}

// The margins of the offered option; a size the device does not list takes those of
// CustomMediaSize.
Margins MediaMargins(const Document& capabilities, const QName& option) {
  const Element* offered = OfferedMediaOption(capabilities, option);
  if (!offered) offered = OfferedMediaOption(capabilities, Keyword("CustomMediaSize"));
  const Element* margins =
      offered ? FindChild(offered->children, Kind::Property, DriverKeyword("ImageableMargins"))
              : nullptr;
  if (!margins) return {};
  return {MarginValue(*margins, "Left"), MarginValue(*margins, "Right"),
          MarginValue(*margins, "Top"), MarginValue(*margins, "Bottom")};
}

Element IntegerProperty(std::string_view name, long long value) {
  return MakeElement(Kind::Property, Keyword(name), {MakeValue("integer", std::to_string(value))});
}

Element ImageableSize(long long width, long long height, const Margins& margins) {
  Element area = MakeElement(
      Kind::Property, Keyword("ImageableArea"),
      {IntegerProperty("OriginWidth", margins.left), IntegerProperty("OriginHeight", margins.top),
       IntegerProperty("ExtentWidth", std::max(width - margins.left - margins.right, 0LL)),
       IntegerProperty("ExtentHeight", std::max(height - margins.top - margins.bottom, 0LL))});
  return MakeElement(Kind::Property, Keyword("PageImageableSize"),
                     {IntegerProperty("ImageableSizeWidth", width),
                      IntegerProperty("ImageableSizeHeight", height), std::move(area)});
}

}  // namespace

MediaSize TicketMediaSize(const Document& ticket, const Document& capabilities) {
  MediaSize media;
  const Element* option = SelectedOption(ticket, Keyword("PageMediaSize"));
  if (!option) return media;
  media.name = option->name.local;
  const Element* offered = OfferedMediaOption(capabilities, option->name);
  auto dimension = [&](std::string_view scored) {
    const QName name = Keyword(scored);
    auto value = ScoredInteger(*option, name, ticket);
    if (!value && offered) value = ScoredInteger(*offered, name, ticket);
    return std::max(value.value_or(0), 0LL);
  };
  media.width = dimension("MediaSizeWidth");
  media.height = dimension("MediaSizeHeight");
  return media;
}

Document CapabilitiesForTicket(const Document& ticket, const DeviceDescription& device) {
  const MediaSize media = TicketMediaSize(ticket, device.capabilities);
  const Element* option = SelectedOption(ticket, Keyword("PageMediaSize"));
  Margins margins = MediaMargins(device.capabilities, option ? option->name : QName{});
  long long width = media.width;
  long long height = media.height;
  const std::string_view orientation = SelectedOptionName(ticket, Keyword("PageOrientation"));
  if (orientation == "Landscape" || orientation == "ReverseLandscape") {
    std::swap(width, height);
    margins = {margins.top, margins.bottom, margins.left, margins.right};
  }
  Document capabilities = device.capabilities;
  std::erase_if(capabilities.children, [](const Element& element) {
    return element.kind == Kind::Property && element.name == Keyword("PageImageableSize");
  });
  capabilities.children.insert(capabilities.children.begin(),
                               ImageableSize(width, height, margins));
  return capabilities;
}

}  // namespace kx::pt
