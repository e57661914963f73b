#include "escape_xml_text.h"

#include <array>
#include <iterator>

#include "kx/hresult_error.h"

namespace kx {
namespace {

struct Escape {
  WCHAR character;
  const WCHAR* entity;
};

// The first five are the text escapes, the ampersand first so that the entities the others
// make are not escaped again; attribute values also take the last three.
constexpr Escape kEscapes[] = {{u'&', u"&amp;"},  {u'<', u"&lt;"},    {u'>', u"&gt;"},
                               {u'"', u"&quot;"}, {u'\'', u"&apos;"}, {u'\t', u"&#x9;"},
                               {u'\n', u"&#xA;"}, {u'\r', u"&#xD;"}};
constexpr std::size_t kTextEscapes = 5;

// For each character up to '>', one more than the index of its escape (0: none), so that the
// characters of plain values are told apart by a single lookup.
constexpr auto kEscapeIndex = [] {
  std::array<unsigned char, u'>' + 1> index{};
  for (std::size_t i = 0; i < std::size(kEscapes); ++i)
    index[kEscapes[i].character] = static_cast<unsigned char>(i + 1);
  return index;
}();

std::u16string_view AttributeEscapeOf(WCHAR c) {
  if (c >= kEscapeIndex.size() || kEscapeIndex[c] == 0) return {};
  return kEscapes[kEscapeIndex[c] - 1].entity;
}

}  // namespace

HRESULT EscapeXmlText(BSTR* text) {
  if (!text) return E_POINTER;
  if (SysStringLen(*text) == 0) return S_OK;
  return HResultBoundary([&] {
    TextBuffer buffer;
    buffer.Assign(std::u16string_view(*text, SysStringLen(*text)));
    for (std::size_t i = 0; i < kTextEscapes; ++i) {
      const WCHAR from[] = {kEscapes[i].character, 0};
      buffer.ReplaceAll(from, kEscapes[i].entity);
    }
    BSTR escaped = nullptr;
    const HRESULT hr = buffer.CopyTo(&escaped);
    if (FAILED(hr)) return hr;
    SysFreeString(*text);
    *text = escaped;
    return S_OK;
  });
}

void AppendAttributeValue(TextBuffer& out, std::u16string_view value) {
  std::size_t plain = 0;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const std::u16string_view escape = AttributeEscapeOf(value[i]);
    if (escape.empty()) continue;
    out.Append(value.substr(plain, i - plain));
    out.Append(escape);
    plain = i + 1;
  }
  out.Append(value.substr(plain));
}

}  // namespace kx
