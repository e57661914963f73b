#include "ticket_query.h"

#include "kx/hresult_error.h"

namespace kx {

HRESULT TicketQuery::AddStep(std::u16string_view element, std::u16string_view namePrefix,
                             std::u16string_view name) {
  if (elementPrefix_.empty()) return S_OK;
  return HResultBoundary([&] {
    path_.append(u"//").append(elementPrefix_).append(element).append(u"[@name = \"");
    path_.append(namePrefix).append(name).append(u"\"]");
    return S_OK;
  });
}

HRESULT TicketQuery::AddFeature(std::u16string_view namePrefix, std::u16string_view name) {
  return AddStep(u"Feature", namePrefix, name);
}

HRESULT TicketQuery::AddProperty(std::u16string_view namePrefix, std::u16string_view name) {
  return AddStep(u"Property", namePrefix, name);
}

HRESULT TicketQuery::AddScoredProperty(std::u16string_view namePrefix, std::u16string_view name) {
  return AddStep(u"ScoredProperty", namePrefix, name);
}

HRESULT TicketQuery::AddParameterInit(std::u16string_view namePrefix, std::u16string_view name) {
  return AddStep(u"ParameterInit", namePrefix, name);
}

HRESULT TicketQuery::AddOptionOrValue(std::u16string_view keywordsPrefix) {
  if (elementPrefix_.empty()) return S_OK;
  return HResultBoundary([&] {
    const std::u16string before = path_;
    path_.append(u"/").append(elementPrefix_).append(u"Option | ").append(before);
    path_.append(u"/").append(elementPrefix_).append(u"ScoredProperty[@name = \"");
    path_.append(keywordsPrefix).append(u"OptionName\"]/").append(elementPrefix_).append(u"Value");
    return S_OK;
  });
}

}  // namespace kx
