// Parsing a print ticket or print capabilities document into the model. The parser loads no
// DTD, expands no entities, reaches no network and refuses documents larger than
// kMaxDocumentBytes or nested deeper than the Print Schema ever needs.
#pragma once

#include <cstddef>
#include <string_view>

#include "format_error.h"
#include "ticket_model.h"

namespace kx::pt {

inline constexpr std::size_t kMaxDocumentBytes = 16u << 20;

enum class RootKind { PrintTicket, PrintCapabilities };

// Throws FormatError{formatError, message} when the bytes are not such a document.
Document ParseDocument(std::string_view bytes, RootKind root, HRESULT formatError);

}  // namespace kx::pt
