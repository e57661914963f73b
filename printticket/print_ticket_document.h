// PrintTicketDocument: one print ticket or print capabilities DOM, set up for XPath with the
// namespace prefixes the document itself uses, and the typed reading, creating and deleting of
// Print Schema features, options, properties and parameters on it.
//
// Borrows nothing: holds one reference to the DOM for its lifetime. Names compared in @name
// must carry the document's own prefixes, which is why they are discovered, not assumed.
// Elements created here are attached to nothing until the caller appends them. Used on one
// thread at a time.
#pragma once

#include <string>
#include <string_view>

#include "kx/com_ptr.h"
#include "msxml6.h"
#include "print_schema.h"
#include "ticket_query.h"

namespace kx {

enum class TicketRoot { PrintTicket, PrintCapabilities };

class PrintTicketDocument {
 public:
  // Throws CXDException: E_PENDING without a DOM, E_FAIL when the root does not bind the
  // framework namespace to a prefix or binds one of the namespaces as the default namespace,
  // or the DOM's failure.
  PrintTicketDocument(TicketRoot root, std::u16string_view privateNamespace, IXMLDOMDocument2* dom);
  virtual ~PrintTicketDocument();
  PrintTicketDocument(const PrintTicketDocument&) = delete;
  PrintTicketDocument& operator=(const PrintTicketDocument&) = delete;

  // Prefixes with their trailing colon, or empty when the root does not declare the namespace.
  const std::u16string& FrameworkPrefix() const { return frameworkPrefix_; }
  const std::u16string& KeywordsPrefix() const { return keywordsPrefix_; }
  const std::u16string& PrivatePrefix() const { return privatePrefix_; }
  const std::u16string& SchemaPrefix() const { return schemaPrefix_; }
  const std::u16string& SchemaInstancePrefix() const { return schemaInstancePrefix_; }
  bool IsCapabilities() const { return isCapabilities_; }
  IXMLDOMDocument2* Dom() const { return dom_.Get(); }

  // A new query whose element names carry the framework prefix.
  TicketQuery NewQuery() const { return TicketQuery(frameworkPrefix_); }

  // Selection. SelectNode answers S_FALSE when nothing matches.
  HRESULT SelectNode(std::u16string_view path, ComPtr<IXMLDOMNode>* node) const;
  HRESULT SelectNodes(std::u16string_view path, ComPtr<IXMLDOMNodeList>* nodes) const;
  HRESULT SelectRoot(ComPtr<IXMLDOMNode>* root) const;
  // S_OK or kElementNotFound.
  HRESULT NodeExists(std::u16string_view path) const;
  // Removes the node from its parent; S_FALSE when it has none.
  HRESULT RemoveNode(IXMLDOMNode* node) const;

  // Reading: S_OK, or kElementNotFound whenever the element looked for is absent.
  HRESULT FeatureExists(std::u16string_view featureName) const;
  HRESULT GetFeatureOption(std::u16string_view namePrefix, std::u16string_view featureName,
                           std::u16string* optionName, bool* privateName) const;
  HRESULT GetSubFeatureOption(std::u16string_view featurePrefix, std::u16string_view featureName,
                              std::u16string_view subFeaturePrefix,
                              std::u16string_view subFeatureName, std::u16string* optionName,
                              bool* privateName) const;
  // Removes the private prefix (setting *privateName) or else the keywords prefix.
  HRESULT StripKeywordPrefix(std::u16string* value, bool* privateName) const;
  // S_FALSE when the node has no attribute of that qualified name.
  HRESULT GetAttribute(IXMLDOMNode* node, std::u16string_view name, std::u16string* text) const;
  // The Value of a Property or ScoredProperty, following a ParameterRef to its ParameterInit.
  HRESULT GetValue(std::u16string_view path, std::u16string* text) const;
  HRESULT GetValueInt(std::u16string_view path, int* value) const;
  HRESULT GetScoredPropertyValue(std::u16string_view featureName,
                                 std::u16string_view scoredPropertyName,
                                 std::u16string* text) const;
  HRESULT GetScoredPropertyInt(std::u16string_view featureName,
                               std::u16string_view scoredPropertyName, int* value) const;

  // Creating: framework elements with the document's prefixes, attached to nothing.
  using Element = ComPtr<IXMLDOMElement>;
  HRESULT CreateElement(std::u16string_view localName, Element* element) const;
  HRESULT SetAttribute(IXMLDOMElement* element, std::u16string_view name,
                       std::u16string_view namespaceUri, std::u16string_view value) const;
  HRESULT CreateFeature(std::u16string_view namePrefix, std::u16string_view name,
                        Element* feature) const;
  // In a capabilities document the option is also marked constrained = keywords None.
  HRESULT CreateOption(std::u16string_view namePrefix, std::u16string_view name,
                       Element* option) const;
  HRESULT CreateProperty(std::u16string_view namePrefix, std::u16string_view name,
                         Element* property) const;
  HRESULT CreateScoredProperty(std::u16string_view namePrefix, std::u16string_view name,
                               Element* scoredProperty) const;
  HRESULT CreateValueProperty(std::u16string_view namePrefix, std::u16string_view name,
                              std::u16string_view type, std::u16string_view text,
                              Element* property) const;
  HRESULT CreateIntegerProperty(std::u16string_view namePrefix, std::u16string_view name, int value,
                                Element* property) const;
  HRESULT CreateValueScoredProperty(std::u16string_view namePrefix, std::u16string_view name,
                                    std::u16string_view type, std::u16string_view text,
                                    Element* scoredProperty) const;
  HRESULT CreateStringScoredProperty(std::u16string_view namePrefix, std::u16string_view name,
                                     std::u16string_view text, Element* scoredProperty) const;
  HRESULT CreateIntegerScoredProperty(std::u16string_view namePrefix, std::u16string_view name,
                                      int value, Element* scoredProperty) const;
  HRESULT CreateRefScoredProperty(std::u16string_view namePrefix, std::u16string_view name,
                                  IXMLDOMElement* parameterRef, Element* scoredProperty) const;
  // parameterRef may be null when only the ParameterInit is wanted.
  HRESULT CreateParameter(std::u16string_view namePrefix, std::u16string_view name,
                          std::u16string_view type, std::u16string_view text, Element* parameterRef,
                          Element* parameterInit) const;
  HRESULT CreateIntegerParameter(std::u16string_view name, int value, Element* parameterRef,
                                 Element* parameterInit) const;
  HRESULT CreatePrivateIntegerParameter(std::u16string_view name, int value,
                                        Element* parameterInit) const;
  // A feature with one unnamed option in it.
  HRESULT CreateFeatureWithOption(bool privateFeature, std::u16string_view featureName,
                                  Element* feature, Element* option) const;
  HRESULT SetFeatureOption(bool privateFeature, std::u16string_view featureName, bool privateOption,
                           std::u16string_view optionName, Element* feature, Element* option) const;

  // Deleting; S_FALSE when nothing (more) matches.
  HRESULT DeleteFeature(std::u16string_view featureName) const;
  HRESULT DeletePrivateFeature(std::u16string_view featureName) const;
  HRESULT DeletePrivateProperty(std::u16string_view propertyName) const;
  HRESULT DeleteParameterInit(std::u16string_view parameterName) const;

 private:
  HRESULT DiscoverPrefix(std::u16string_view namespaceUri, std::u16string* prefix) const;
  HRESULT SetSelectionNamespace(std::u16string_view prefix) const;
  HRESULT ReadOption(const TicketQuery& featureQuery, std::u16string* optionName,
                     bool* privateName) const;
  HRESULT DeleteFeatures(std::u16string_view namePrefix, std::u16string_view featureName) const;
  HRESULT DeleteFirst(const TicketQuery& query) const;
  HRESULT AppendValue(IXMLDOMElement* parent, std::u16string_view type,
                      std::u16string_view text) const;
  HRESULT CreateNamed(std::u16string_view element, std::u16string_view namePrefix,
                      std::u16string_view name, Element* created) const;

  ComPtr<IXMLDOMDocument2> dom_;
  std::u16string rootName_;
  bool isCapabilities_;
  std::u16string schemaPrefix_;
  std::u16string schemaInstancePrefix_;
  std::u16string frameworkPrefix_;
  std::u16string keywordsPrefix_;
  std::u16string privatePrefix_;
  std::u16string privateNamespace_;
};

// Reads a decimal integer the way the C library does: leading blanks, an optional sign,
// digits up to the first other character; no digits give 0. Out-of-range values saturate.
int ParseTicketInteger(std::u16string_view text);

}  // namespace kx
