// Creates part objects: those of the input package (by content type) and the empty parts a
// filter asks the writer for (GetNewEmptyPart: pages, tickets, fonts, images, colour profiles,
// resource dictionaries and thumbnails).
#pragma once

#include <string>
#include <string_view>

#include "filterpipeline.h"
#include "kx/com_ptr.h"
#include "part_content.h"

namespace kx::xps {

// The type a part without one gets from its extension; the octet-stream type when unknown.
std::string_view ContentTypeForExtension(std::string_view extension);

// A resource part of the kind its content type says (font, image, colour profile, resource
// dictionary), or a plain part answering IPartBase.
ComPtr<IUnknown> CreateResourcePart(std::string name, std::string contentType, ContentPtr content,
                                    bool stored);

// GetNewEmptyPart: `uri` must be a valid part name (E_INVALIDARG), `riid` one of the kinds above
// (E_NOINTERFACE). The part's content is what the stream holds when it is closed.
HRESULT CreateEmptyPart(const WCHAR* uri, REFIID riid, void** part, IPrintWriteStream** stream);

}  // namespace kx::xps
