// OutputTicketMemo: the last output ticket made from a page ticket as its source made it, with
// the changes that made it, so that the next sheet of the same ticket and changes takes its XML
// instead of changing and writing out a ticket again.
#pragma once

#include <string>

#include "kx/com_ptr.h"
#include "media_size_settings.h"
#include "mirror_settings.h"
#include "msxml6.h"
#include "ticket_memo.h"

namespace kx {

// What an output ticket changes in its base: media and mirror, and the input trays.
struct OutputTicketEdits {
  bool media = false;
  MediaSizeSettings size;
  MirrorSettings mirror;
  bool tray = false;
  int bin = 0;
  int secondBin = 0;

  bool Any() const { return media || tray; }
  bool operator==(const OutputTicketEdits&) const = default;
};

struct OutputTicket {
  ComPtr<IXMLDOMDocument2> ticket;  // the changed base; shared, so never changed
  std::string xml;                  // as written into its ticket part
};

using OutputTicketMemo = TicketMemo<OutputTicketEdits, OutputTicket>;

}  // namespace kx
