#include "xpath_query.h"

#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <unordered_map>

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

namespace {

struct CompiledDeleter {
  void operator()(xmlXPathCompExprPtr compiled) const { xmlXPathFreeCompExpr(compiled); }
};
using CompiledExpression = std::unique_ptr<xmlXPathCompExpr, CompiledDeleter>;

// Tickets are queried with the same few dozen expressions on every page; compiling each once
// per thread and keeping the namespace registrations saves most of the cost of a query.
// Compilation depends on neither the document nor the registered namespaces (prefixes are
// resolved when evaluated), so the cache is keyed by the expression alone.
class QueryCache {
 public:
  QueryCache() : context_(xmlXPathNewContext(nullptr)) {
    if (!context_) return;
    context_->error = IgnoreError;
    // Reuses result objects between steps instead of a malloc/free for each.
    xmlXPathContextSetCache(context_.get(), 1, -1, 0);
  }

  // A context for evaluating at node with declarations registered; null when out of memory.
  xmlXPathContextPtr Prepare(xmlNodePtr node, const NamespaceDeclarations& declarations) {
    if (!context_) return nullptr;
    if (!registered_ || *registered_ != declarations) {
      xmlXPathRegisteredNsCleanup(context_.get());
      registered_.reset();
      for (const auto& [prefix, uri] : declarations)
        xmlXPathRegisterNs(context_.get(), XmlText(prefix), XmlText(uri));
      registered_ = declarations;
    }
    context_->doc = node->doc;
    context_->node = node;
    context_->contextSize = -1;
    context_->proximityPosition = -1;
    return context_.get();
  }

  // The compiled expression; null when it does not compile.
  xmlXPathCompExprPtr Compiled(const std::string& expression) {
    if (auto found = compiled_.find(expression); found != compiled_.end())
      return found->second.get();
    CompiledExpression compiled(xmlXPathCtxtCompile(context_.get(), XmlText(expression)));
    if (!compiled) return nullptr;
    // Bounded so a caller generating distinct expressions cannot grow it without limit.
    if (compiled_.size() >= kCapacity) compiled_.clear();
    return compiled_.emplace(expression, std::move(compiled)).first->second.get();
  }

  // Drops the document pointers so none outlives the query.
  void Release() {
    context_->doc = nullptr;
    context_->node = nullptr;
  }

 private:
  static constexpr std::size_t kCapacity = 512;
  std::unique_ptr<xmlXPathContext, ContextDeleter> context_;
  std::optional<NamespaceDeclarations> registered_;
  std::unordered_map<std::string, CompiledExpression> compiled_;
};

}  // namespace

// The ticket code asks, many times a page, for unions of paths such as
// //p:Feature[@name = "v"]//p:Option; libxml2 evaluates each name predicate with allocations
// per element. Those forms are matched here by walking the tree, with the same result; any
// other expression, or a tree with entity references or a DTD, goes to libxml2.
namespace {
namespace fast {

struct Step {
  bool descendant = false;
  std::string_view uri;  // empty: no namespace
  std::string_view local;
  bool byName = false;
  std::string_view name;  // the value @name must have
};
using Path = std::vector<Step>;

bool NameChar(char c, bool first) {
  const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
  return letter || (!first && ((c >= '0' && c <= '9') || c == '-' || c == '.'));
}

std::string_view TakeName(std::string_view& text) {
  std::size_t length = 0;
  while (length < text.size() && NameChar(text[length], length == 0)) ++length;
  const std::string_view name = text.substr(0, length);
  text.remove_prefix(length);
  return name;
}

void SkipBlanks(std::string_view& text) {
  const std::size_t start = text.find_first_not_of(kBlanks);
  text.remove_prefix(start == std::string_view::npos ? text.size() : start);
}

bool Take(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

// The URI bound to prefix, as libxml2 would find it (the last declaration wins).
bool Lookup(const NamespaceDeclarations& declarations, std::string_view prefix,
            std::string_view& uri) {
  if (prefix == "xml") return false;
  for (auto it = declarations.rbegin(); it != declarations.rend(); ++it)
    if (it->first == prefix) {
      uri = it->second;
      return !uri.empty() && uri.find('\0') == std::string_view::npos;
    }
  return false;
}

bool ParseStep(std::string_view& text, const NamespaceDeclarations& declarations, Step& step) {
  std::string_view first = TakeName(text);
  if (first.empty()) return false;
  if (Take(text, ':')) {
    step.local = TakeName(text);
    if (step.local.empty() || !Lookup(declarations, first, step.uri)) return false;
  } else {
    step.local = first;
  }
  if (!Take(text, '[')) return true;
  SkipBlanks(text);
  if (!Take(text, '@') || TakeName(text) != "name" || (!text.empty() && text.front() == ':'))
    return false;
  SkipBlanks(text);
  if (!Take(text, '=')) return false;
  SkipBlanks(text);
  if (text.empty() || (text.front() != '"' && text.front() != '\'')) return false;
  const char quote = text.front();
  const std::size_t close = text.find(quote, 1);
  if (close == std::string_view::npos) return false;
  step.byName = true;
  step.name = text.substr(1, close - 1);
  text.remove_prefix(close + 1);
  SkipBlanks(text);
  return Take(text, ']');
}

// A union of paths, each "//step..." from the root or "step..." from the context.
bool Parse(std::string_view text, const NamespaceDeclarations& declarations,
           std::vector<std::pair<bool, Path>>& paths) {
  if (text.find('\0') != std::string_view::npos) return false;
  for (;;) {
    SkipBlanks(text);
    bool absolute = false;
    Path path;
    if (text.starts_with("//")) absolute = true;
    for (bool firstStep = true;; firstStep = false) {
      Step step;
      if (text.starts_with("//")) {
        text.remove_prefix(2);
        step.descendant = true;
      } else if (!firstStep && Take(text, '/')) {
      } else if (!firstStep || text.starts_with("/")) {
        break;
      }
      if (!ParseStep(text, declarations, step)) return false;
      path.push_back(step);
    }
    if (path.empty()) return false;
    paths.emplace_back(absolute, std::move(path));
    SkipBlanks(text);
    if (text.empty()) return true;
    if (!Take(text, '|')) return false;
  }
}

bool SameText(const xmlChar* text, std::string_view value) {
  // value holds no NUL (Parse refuses such expressions), so strncmp compares it whole.
  if (!text) return false;
  const char* chars = reinterpret_cast<const char*>(text);
  if (value.empty()) return chars[0] == '\0';
  return chars[0] == value[0] && std::strncmp(chars, value.data(), value.size()) == 0 &&
         chars[value.size()] == '\0';
}

// Whether element passes the step; false in supported when the tree has a form left to
// libxml2.
bool Matches(xmlNodePtr node, const Step& step, bool& supported) {
  if (node->type != XML_ELEMENT_NODE || !SameText(node->name, step.local)) return false;
  if (step.uri.empty() ? node->ns != nullptr : !node->ns || !SameText(node->ns->href, step.uri))
    return false;
  if (!step.byName) return true;
  for (xmlAttrPtr attribute = node->properties; attribute; attribute = attribute->next) {
    if (attribute->ns || !SameText(attribute->name, "name")) continue;
    xmlNodePtr only = attribute->children;
    if (only && !only->next && only->type == XML_TEXT_NODE) {
      if (SameText(only->content ? only->content : BAD_CAST "", step.name)) return true;
      continue;
    }
    std::string value;
    for (xmlNodePtr child = attribute->children; child; child = child->next) {
      if (child->type != XML_TEXT_NODE) {
        supported = false;
        return false;
      }
      if (child->content) value += reinterpret_cast<const char*>(child->content);
    }
    if (value == step.name) return true;
  }
  return false;
}

bool Supported(xmlNodePtr node) {
  switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
      return true;
    default:
      return false;
  }
}

// Calls visit for each node below top, in document order, until it returns false; false when
// a node is unsupported.
template <class Visit>
bool WalkBelow(xmlNodePtr top, Visit&& visit) {
  xmlNodePtr node = top->children;
  while (node) {
    if (!Supported(node)) return false;
    if (!visit(node)) return true;
    if (node->type == XML_ELEMENT_NODE && node->children) {
      node = node->children;
      continue;
    }
    while (node && !node->next) {
      node = node->parent;
      if (node == top) return true;
    }
    if (node) node = node->next;
  }
  return true;
}

// Evaluates, or returns false to leave the expression to libxml2.
bool Select(xmlNodePtr context, const NamespaceDeclarations& declarations,
            const std::string& expression, bool firstOnly, std::vector<xmlNodePtr>& nodes) {
  if (context->type != XML_ELEMENT_NODE && context->type != XML_DOCUMENT_NODE) return false;
  xmlDocPtr doc = context->doc;
  if (!doc || doc->intSubset || doc->extSubset) return false;
  std::vector<std::pair<bool, Path>> paths;
  if (!Parse(expression, declarations, paths)) return false;
  // Results are a handful of nodes: vectors deduplicated by sorting beat hashing.
  std::vector<xmlNodePtr> found, current, next;
  bool supported = true;
  bool allAbsolute = true;
  for (const auto& [absolute, path] : paths) {
    allAbsolute = allAbsolute && absolute;
    current.assign(1, absolute ? reinterpret_cast<xmlNodePtr>(doc) : context);
    for (const Step& step : path) {
      next.clear();
      // A single //name from the root meets its nodes in document order: the first ends it.
      const bool firstEnds = firstOnly && paths.size() == 1 && path.size() == 1 && absolute;
      auto consider = [&](xmlNodePtr node) {
        if (!Matches(node, step, supported)) return supported;
        next.push_back(node);
        return !firstEnds;
      };
      for (xmlNodePtr from : current) {
        if (step.descendant) {
          if (!WalkBelow(from, consider)) return false;
        } else {
          for (xmlNodePtr child = from->children; child; child = child->next) {
            if (!Supported(child)) return false;
            consider(child);
          }
        }
        if (!supported) return false;
      }
      if (current.size() > 1) {
        std::sort(next.begin(), next.end());
        next.erase(std::unique(next.begin(), next.end()), next.end());
      }
      current.swap(next);
    }
    found.insert(found.end(), current.begin(), current.end());
  }
  if (paths.size() > 1) {
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
  }
  // One node found from the root is in the tree and needs no ordering.
  if (found.size() <= 1 && allAbsolute) {
    nodes = std::move(found);
    return true;
  }
  std::sort(found.begin(), found.end());
  std::vector<xmlNodePtr> ordered;
  // Document order, as libxml2 sorts its result.
  if (!found.empty() && !WalkBelow(reinterpret_cast<xmlNodePtr>(doc), [&](xmlNodePtr node) {
        if (std::binary_search(found.begin(), found.end(), node)) ordered.push_back(node);
        return true;
      }))
    return false;
  // Nodes outside the document's tree (a detached subtree) have no order here.
  if (ordered.size() != found.size()) return false;
  nodes = std::move(ordered);
  return true;
}

}  // namespace fast
}  // namespace

HRESULT SelectNodes(xmlNodePtr context, const NamespaceDeclarations& declarations,
                    const std::string& expression, std::vector<xmlNodePtr>& nodes, bool firstOnly) {
  thread_local QueryCache cache;
  if (fast::Select(context, declarations, expression, firstOnly, nodes)) return S_OK;
  xmlXPathContextPtr xpath = cache.Prepare(context, declarations);
  if (!xpath) throw HResultError{E_OUTOFMEMORY};
  xmlXPathCompExprPtr compiled = cache.Compiled(expression);
  std::unique_ptr<xmlXPathObject, ObjectDeleter> result(
      compiled ? xmlXPathCompiledEval(compiled, xpath) : nullptr);
  cache.Release();
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
