#include "ticket_stream_factory.h"

#include <fstream>
#include <iterator>

#include "kx/com_object.h"
#include "markup_reader.h"
#include "read_stream.h"
#include "xps_schema.h"

namespace kx::pipeline {
namespace {

constexpr std::size_t kMaxTicketBytes = std::size_t{16} << 20;

class TicketStreamFactory final : public ComObject<IPrintReadStreamFactory> {
 public:
  explicit TicketStreamFactory(xps::ContentPtr ticket) : ticket_(std::move(ticket)) {}

  HRESULT STDMETHODCALLTYPE GetStream(IPrintReadStream** stream) override {
    if (!stream) return E_POINTER;
    *stream = nullptr;
    return HResultBoundary([&] { return xps::CreateReadStream(ticket_).CopyTo(stream); });
  }

 private:
  xps::ContentPtr ticket_;
};

}  // namespace

ComPtr<IPrintReadStreamFactory> CreateTicketStreamFactory(xps::ContentPtr ticket) {
  return ComPtr<IPrintReadStreamFactory>::Attach(new TicketStreamFactory(std::move(ticket)));
}

xps::ContentPtr LoadTicketFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) xps::ThrowPackageError(xps::kMissingPart, path + ": cannot be read");
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[65536];
  while (file.read(reinterpret_cast<char*>(buffer), sizeof buffer) || file.gcount() > 0) {
    bytes.insert(bytes.end(), buffer, buffer + file.gcount());
    if (bytes.size() > kMaxTicketBytes)
      xps::ThrowPackageError(xps::kPartTooLarge, path + ": too large for a print ticket");
  }
  xps::MarkupReader reader(std::string(bytes.begin(), bytes.end()), path);
  if (!reader.NextElement() || reader.LocalName() != "PrintTicket" ||
      reader.NamespaceUri() != xps::kPrintSchemaFrameworkNamespace)
    reader.Fail("not a print ticket (psf:PrintTicket)");
  while (reader.NextElement()) {
  }
  return xps::MakeBufferContent(std::move(bytes));
}

}  // namespace kx::pipeline
