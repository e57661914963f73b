// The IPrintWriteStream a filter fills with a part's new content. The bytes are kept in memory
// (at most kMaxBufferedPartBytes) and handed to the part when the stream is closed, or released
// without Close, so a page's old content stays readable while its new content is written.
#pragma once

#include <functional>
#include <string>

#include "filterpipeline.h"
#include "kx/com_ptr.h"
#include "part_content.h"

namespace kx::xps {

using ContentSink = std::function<void(ContentPtr)>;

ComPtr<IPrintWriteStream> CreatePartWriteStream(ContentSink sink);

}  // namespace kx::xps
