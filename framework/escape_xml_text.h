// XML escaping of text that goes into generated markup.
#pragma once

#include "oleauto.h"
#include "text_buffer.h"

namespace kx {

// Replaces text (in place: the old BSTR is freed) with its escaped form: & < > " and ' become
// &amp; &lt; &gt; &quot; &apos;, the ampersand first so that no entity is escaped twice. An
// empty string is left alone; null gives E_POINTER.
HRESULT EscapeXmlText(BSTR* text);

// Appends value escaped for a double-quoted attribute: as EscapeXmlText, and tab, line feed
// and carriage return as character references, which a reader would otherwise turn into
// blanks. Values arrive from the reader with references resolved, so all of them need this.
void AppendAttributeValue(TextBuffer& out, std::u16string_view value);

}  // namespace kx
