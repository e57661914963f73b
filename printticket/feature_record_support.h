// What the feature record readers and writers share: name tables, document-wide private
// property lookups and appending created elements.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "print_ticket_document.h"

namespace kx {

// Index of value in names (exact comparison), or -1.
int IndexOfName(std::initializer_list<std::u16string_view> names, std::u16string_view value);

// The name at index, or empty when index is outside the table.
std::u16string_view NameAt(std::initializer_list<std::u16string_view> names, int index);

// S_OK or kElementNotFound for the private property anywhere in the document.
HRESULT PrivatePropertyExists(const PrintTicketDocument& document, std::u16string_view name);
// The value of the first private property of that name anywhere in the document.
HRESULT ReadPrivateValue(const PrintTicketDocument& document, std::u16string_view name,
                         std::u16string* value);
HRESULT ReadPrivateInt(const PrintTicketDocument& document, std::u16string_view name, int* value);

// The option of a private sub-feature of a keywords feature, without its private prefix.
HRESULT GetPrivateSubFeatureOption(const PrintTicketDocument& document,
                                   std::u16string_view featureName,
                                   std::u16string_view subFeatureName, std::u16string* option);

HRESULT AppendChild(IXMLDOMNode* parent, IXMLDOMNode* child);

// The root element a writer appends to; a document without one is a failure (E_FAIL).
HRESULT SelectRootForWriting(const PrintTicketDocument& document, ComPtr<IXMLDOMNode>* root);

// Reading kElementNotFound is the normal case of an absent setting.
constexpr bool IsAbsent(HRESULT hr) { return hr == kElementNotFound; }
constexpr bool IsReadFailure(HRESULT hr) { return FAILED(hr) && hr != kElementNotFound; }

}  // namespace kx
