// Writing the model as UTF-8 XML. The root declares psf, psk, xsd and xsi, every namespace the
// device's capabilities declare (so a reader finds the private prefix even before a private
// element exists), and a generated prefix for any other namespace the document uses.
#pragma once

#include <span>
#include <string>
#include <utility>

#include "ticket_model.h"

namespace kx::pt {

using NamespaceList = std::vector<std::pair<std::string, std::string>>;  // prefix, URI

std::string WriteDocument(const Document& document, const NamespaceList& preferred);

}  // namespace kx::pt
