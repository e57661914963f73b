#include "job_info_settings.h"

#include "feature_record_support.h"
#include "kx/hresult_error.h"

namespace kx {
namespace {

constexpr std::initializer_list<std::u16string_view> kOffOn = {u"Off", u"On"};

enum class Kind { Text, Integer, Switch };

// One member of a group and where it goes in the record.
struct Member {
  std::u16string_view name;
  Kind kind;
  void (*store)(JobInfoSettings&, const std::u16string& text, int number);
  std::u16string (*load)(const JobInfoSettings&);
};

std::u16string Number(long long value) {
  const std::string narrow = std::to_string(value);
  return std::u16string(narrow.begin(), narrow.end());
}

std::u16string OffOn(int value) { return std::u16string(value ? u"On" : u"Off"); }

// A switch keeps its value unless the text is exactly one of its names.
void StoreSwitch(int& field, const std::u16string& text) {
  if (const int index = IndexOfName(kOffOn, text); index >= 0) field = index;
}

struct Group {
  std::u16string_view name;
  std::initializer_list<Member> members;
};

const Group kGroups[] = {
    {u"JobInfoData",
     {
         {u"DefaultUserName", Kind::Text,
          [](JobInfoSettings& r, const std::u16string& t, int) { r.defaultUserName = t; },
          [](const JobInfoSettings& r) { return r.defaultUserName; }},
         {u"ComputerName", Kind::Text,
          [](JobInfoSettings& r, const std::u16string& t, int) { r.computerName = t; },
          [](const JobInfoSettings& r) { return r.computerName; }},
         {u"CodePage", Kind::Integer,
          [](JobInfoSettings& r, const std::u16string&, int n) {
            r.codePage = static_cast<std::uint32_t>(n);
          },
          [](const JobInfoSettings& r) { return Number(static_cast<int>(r.codePage)); }},
     }},
    {u"JobSettingData",
     {
         {u"SeparateTrayMode", Kind::Switch,
          [](JobInfoSettings& r, const std::u16string& t, int) {
            StoreSwitch(r.separateTrayMode, t);
          },
          [](const JobInfoSettings& r) { return OffOn(r.separateTrayMode); }},
         {u"DivideCondition", Kind::Text,
          [](JobInfoSettings& r, const std::u16string& t, int) { r.divideCondition = t; },
          [](const JobInfoSettings& r) { return r.divideCondition; }},
         {u"BandingPortraitFlag", Kind::Integer,
          [](JobInfoSettings& r, const std::u16string&, int n) {
            r.bandingPortraitFlag = static_cast<std::uint16_t>(n);
          },
          [](const JobInfoSettings& r) { return Number(r.bandingPortraitFlag); }},
         {u"BandingPortraitSize", Kind::Integer,
          [](JobInfoSettings& r, const std::u16string&, int n) {
            r.bandingPortraitSize = static_cast<std::uint16_t>(n);
          },
          [](const JobInfoSettings& r) { return Number(r.bandingPortraitSize); }},
         {u"BandingLandscapeFlag", Kind::Integer,
          [](JobInfoSettings& r, const std::u16string&, int n) {
            r.bandingLandscapeFlag = static_cast<std::uint16_t>(n);
          },
          [](const JobInfoSettings& r) { return Number(r.bandingLandscapeFlag); }},
         {u"BandingLandscapeSize", Kind::Integer,
          [](JobInfoSettings& r, const std::u16string&, int n) {
            r.bandingLandscapeSize = static_cast<std::uint16_t>(n);
          },
          [](const JobInfoSettings& r) { return Number(r.bandingLandscapeSize); }},
     }},
    {u"JobSecretFunctionData",
     {
         {u"HalftoneReduction", Kind::Switch,
          [](JobInfoSettings& r, const std::u16string& t, int) {
            StoreSwitch(r.halftoneReduction, t);
          },
          [](const JobInfoSettings& r) { return OffOn(r.halftoneReduction); }},
         {u"DraftMode", Kind::Switch,
          [](JobInfoSettings& r, const std::u16string& t, int) { StoreSwitch(r.draftMode, t); },
          [](const JobInfoSettings& r) { return OffOn(r.draftMode); }},
     }},
};

// Reads the members of one group; an absent group or member is skipped.
HRESULT ReadGroup(const PrintTicketDocument& ticket, const Group& group, JobInfoSettings* record) {
  HRESULT hr = PrivatePropertyExists(ticket, group.name);
  if (FAILED(hr)) return IsAbsent(hr) ? S_OK : hr;
  for (const Member& member : group.members) {
    std::u16string text;
    int number = 0;
    hr = member.kind == Kind::Integer ? ReadPrivateInt(ticket, member.name, &number)
                                      : ReadPrivateValue(ticket, member.name, &text);
    if (IsAbsent(hr)) continue;
    if (FAILED(hr)) return hr;
    member.store(*record, text, number);
  }
  return S_OK;
}

HRESULT WriteGroup(const PrintTicketDocument& ticket, IXMLDOMNode* root, const Group& group,
                   const JobInfoSettings& record) {
  const std::u16string& prefix = ticket.PrivatePrefix();
  PrintTicketDocument::Element property;
  HRESULT hr = ticket.CreateProperty(prefix, group.name, &property);
  for (const Member& member : group.members) {
    if (FAILED(hr)) return hr;
    PrintTicketDocument::Element child;
    hr = ticket.CreateValueProperty(prefix, member.name,
                                    member.kind == Kind::Integer ? u"integer" : u"string",
                                    member.load(record), &child);
    if (SUCCEEDED(hr)) hr = AppendChild(property.Get(), child.Get());
  }
  return FAILED(hr) ? hr : AppendChild(root, property.Get());
}

}  // namespace

HRESULT ReadJobInfo(const PrintTicketDocument& ticket, JobInfoSettings* record) {
  if (!record) return E_POINTER;
  return HResultBoundary([&] {
    HRESULT hr = S_OK;
    for (const Group& group : kGroups) hr = ReadGroup(ticket, group, record);
    return hr;  // only the last group's status is reported
  });
}

HRESULT DeleteJobInfo(const PrintTicketDocument& ticket) {
  HRESULT hr = S_OK;
  for (const Group& group : kGroups) hr = ticket.DeletePrivateProperty(group.name);
  return hr;
}

HRESULT WriteJobInfo(const PrintTicketDocument& ticket, const JobInfoSettings& record) {
  return HResultBoundary([&] {
    ComPtr<IXMLDOMNode> root;
    HRESULT hr = SelectRootForWriting(ticket, &root);
    if (FAILED(hr)) return hr;
    hr = DeleteJobInfo(ticket);
    for (const Group& group : kGroups) {
      if (FAILED(hr)) return hr;
      hr = WriteGroup(ticket, root.Get(), group, record);
    }
    return hr;
  });
}

}  // namespace kx
