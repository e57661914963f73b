// ReadStream: the IPrintReadStream of a part's content, from its start. Seeking back reopens
// the content; a font stored obfuscated is read restored when given its key.
#pragma once

#include <optional>

#include "filterpipeline.h"
#include "font_obfuscation.h"
#include "kx/com_ptr.h"
#include "part_content.h"

namespace kx::xps {

ComPtr<IPrintReadStream> CreateReadStream(ContentPtr content,
                                          std::optional<ObfuscationKey> storedKey = {});

}  // namespace kx::xps
