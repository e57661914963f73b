#include "xpath_query.h"

#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <memory>

#include "kx/hresult_error.h"

namespace kx::xml {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";

struct ContextDeleter {
  void operator()(xmlXPathContextPtr context) const { xmlXPathFreeContext(context); }
};
struct ObjectDeleter {
  void operator()(xmlXPathObjectPtr object) const { xmlXPathFreeObject(object); }
};

void IgnoreError(void*, xmlErrorPtr) {}

const xmlChar* XmlText(const std::string& text) {
  return reinterpret_cast<const xmlChar*>(text.c_str());
}

// Reads one xmlns:prefix='uri' from the front of text.
bool ParseDeclaration(std::string_view& text, NamespaceDeclarations& declarations) {
  constexpr std::string_view kStart = "xmlns:";
  if (!text.starts_with(kStart)) return false;
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos || equals == kStart.size() || equals + 1 >= text.size())
    return false;
  const char quote = text[equals + 1];
  const std::size_t close = text.find(quote, equals + 2);
  if ((quote != '\'' && quote != '"') || close == std::string_view::npos) return false;
  declarations.emplace_back(std::string(text.substr(kStart.size(), equals - kStart.size())),
                            std::string(text.substr(equals + 2, close - equals - 2)));
  text.remove_prefix(close + 1);
  return true;
}

}  // namespace

HRESULT ParseSelectionNamespaces(std::string_view text, NamespaceDeclarations& declarations) {
  NamespaceDeclarations parsed;
  for (;;) {
    const std::size_t start = text.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) break;
    text.remove_prefix(start);
    if (!ParseDeclaration(text, parsed)) return E_FAIL;
  }
  declarations = std::move(parsed);
  return S_OK;
}

HRESULT SelectNodes(xmlNodePtr context, const NamespaceDeclarations& declarations,
                    const std::string& expression, std::vector<xmlNodePtr>& nodes) {
  std::unique_ptr<xmlXPathContext, ContextDeleter> xpath(xmlXPathNewContext(context->doc));
  if (!xpath) throw HResultError{E_OUTOFMEMORY};
  xpath->error = IgnoreError;
  for (const auto& [prefix, uri] : declarations)
    xmlXPathRegisterNs(xpath.get(), XmlText(prefix), XmlText(uri));
  xpath->node = context;
  std::unique_ptr<xmlXPathObject, ObjectDeleter> result(
      xmlXPathEvalExpression(XmlText(expression), xpath.get()));
  if (!result || result->type != XPATH_NODESET) return E_FAIL;
  nodes.clear();
  xmlNodeSetPtr set = result->nodesetval;
  if (!set) return S_OK;
  xmlXPathNodeSetSort(set);
  for (int i = 0; i < set->nodeNr; ++i)
    // Namespace nodes are copies that die with the result; the DOM offers no such nodes.
    if (set->nodeTab[i]->type != XML_NAMESPACE_DECL) nodes.push_back(set->nodeTab[i]);
  return S_OK;
}

}  // namespace kx::xml
