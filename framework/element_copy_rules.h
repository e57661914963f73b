// ElementCopyRules: how the page rewriters copy elements. A start tag is written without its
// closing bracket and stays pending until the next event: a child closes it with ">", and the
// element's own end closes it with "/>", so an element without children comes out as an
// empty-element tag. Names are the qualified names the reader reports.
#pragma once

#include <string>

#include "msxml6.h"
#include "text_buffer.h"

namespace kx {

class ElementCopyRules {
 public:
  // Closes a pending start tag with ">" and remembers name as the last element started.
  void BeginElement(TextBuffer& out, std::u16string_view name);
  // BeginElement, then "<" and the name; the start tag is pending.
  void OpenStartTag(TextBuffer& out, std::u16string_view name);
  // ">" when a start tag is pending; it no longer is.
  void CloseStartTag(TextBuffer& out);
  // "/>" for the pending start tag of name, "</name>" otherwise.
  void EndElement(TextBuffer& out, std::u16string_view name);

  // Each attribute in the reader's order as a blank, name="value", the value escaped (see
  // AppendAttributeValue). An attribute whose name or value cannot be had is skipped.
  static void AppendAttributes(TextBuffer& out, ISAXAttributes* attributes);
  static void AppendAttribute(TextBuffer& out, std::u16string_view name, std::u16string_view value);
  // Reads one attribute's qualified name and value; false when either is unavailable.
  static bool ReadAttribute(ISAXAttributes* attributes, int index, std::u16string_view& name,
                            std::u16string_view& value);

 private:
  std::u16string lastElement_;
  bool startTagPending_ = false;
};

// A decimal number as the page writes it (Width, Height); 0 when the text is not one.
float ReadDecimal(std::u16string_view text);

}  // namespace kx
