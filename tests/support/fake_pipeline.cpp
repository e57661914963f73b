#include "fake_pipeline.h"

#include "ticket_stream_factory.h"

namespace kx::test {

void SetUserTicket(pipeline::PropertyBag& bag, const std::string& xml) {
  bag.SetUnknown(u"PerUserPrintTicket",
                 pipeline::CreateTicketStreamFactory(
                     xps::MakeBufferContent(std::vector<std::uint8_t>(xml.begin(), xml.end())))
                     .Get());
}

}  // namespace kx::test
