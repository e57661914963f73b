#include "ticket_tools.h"

#include <cstring>
#include <memory>

#include "kx/com_ptr.h"
#include "kx/driver_devmode.h"
#include "kx/unique_bstr.h"
#include "kx/utf16.h"
#include "objbase.h"
#include "package_error.h"
#include "prntvpt.h"
#include "ticket_stream_factory.h"

namespace kx::pipeline {
namespace {

// An open provider for the printer, closed on every path.
class Provider {
 public:
  explicit Provider(const std::string& printerName) {
    const std::u16string name = Utf8ToUtf16(printerName);
    const HRESULT hr = PTOpenProvider(name.c_str(), 1, &handle_);
    if (FAILED(hr)) xps::ThrowPackageError(hr, "the print ticket service refused " + printerName);
  }
  ~Provider() { PTCloseProvider(handle_); }
  Provider(const Provider&) = delete;
  Provider& operator=(const Provider&) = delete;
  HPTPROVIDER Get() const { return handle_; }

 private:
  HPTPROVIDER handle_ = nullptr;
};

ComPtr<IStream> StreamOf(const std::string& text) {
  ComPtr<IStream> stream;
  HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.ReleaseAndGetAddressOf());
  if (SUCCEEDED(hr) && !text.empty())
    hr = stream->Write(text.data(), static_cast<ULONG>(text.size()), nullptr);
  LARGE_INTEGER start{};
  if (SUCCEEDED(hr)) hr = stream->Seek(start, STREAM_SEEK_SET, nullptr);
  if (FAILED(hr)) xps::ThrowPackageError(hr, "out of memory for a print ticket");
  return stream;
}

std::string TextOf(IStream* stream) {
  LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  std::string text;
  char buffer[65536];
  ULONG read = 0;
  while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0)
    text.append(buffer, read);
  return text;
}

// Throws the service's failure with its own words.
void Check(HRESULT hr, BSTR message, const std::string& what) {
  UniqueBstr owned(message);
  if (SUCCEEDED(hr)) return;
  std::string text = what;
  if (owned.Length()) text += ": " + Utf16ToUtf8(owned.View());
  xps::ThrowPackageError(hr, text);
}

std::string ReadAll(IPrintReadStream* stream) {
  std::string text;
  char buffer[65536];
  for (;;) {
    ULONG read = 0;
    BOOL endOfFile = FALSE;
    const HRESULT hr = stream->ReadBytes(buffer, sizeof buffer, &read, &endOfFile);
    if (FAILED(hr)) xps::ThrowPackageError(hr, "the document's print ticket cannot be read");
    text.append(buffer, read);
    if (read == 0 || endOfFile) return text;
  }
}

std::string ReadAll(const xps::PartContent& content) {
  std::string text;
  auto cursor = content.Open();
  std::uint8_t buffer[65536];
  while (const std::size_t read = cursor->Read(buffer))
    text.append(reinterpret_cast<const char*>(buffer), read);
  return text;
}

std::string WideField(const WCHAR* text, std::size_t capacity) {
  std::size_t length = 0;
  while (length < capacity && text[length]) ++length;
  return Utf16ToUtf8(std::u16string_view(text, length));
}

}  // namespace

std::string LoadTicketText(const std::string& path) { return ReadAll(*LoadTicketFile(path)); }

std::string MergeTickets(const std::string& base, const std::string& delta,
                         const std::string& printerName) {
  Provider provider(printerName);
  auto result = StreamOf("");
  BSTR message = nullptr;
  const HRESULT hr =
      PTMergeAndValidatePrintTicket(provider.Get(), StreamOf(base).Get(), StreamOf(delta).Get(),
                                    kPTJobScope, result.Get(), &message);
  Check(hr, message, "the tickets cannot be merged");
  return TextOf(result.Get());
}

std::string CapabilitiesFor(const std::string& ticket, const std::string& printerName) {
  Provider provider(printerName);
  auto result = StreamOf("");
  BSTR message = nullptr;
  const HRESULT hr =
      PTGetPrintCapabilities(provider.Get(), StreamOf(ticket).Get(), result.Get(), &message);
  Check(hr, message, "no print capabilities for the ticket");
  return TextOf(result.Get());
}

std::string DevModeText(const std::string& ticket, const std::string& printerName) {
  Provider provider(printerName);
  ULONG size = 0;
  PDEVMODEW devmode = nullptr;
  BSTR message = nullptr;
  const HRESULT hr =
      PTConvertPrintTicketToDevMode(provider.Get(), StreamOf(ticket).Get(), kUserDefaultDevmode,
                                    kPTJobScope, &size, &devmode, &message);
  Check(hr, message, "the ticket cannot be converted to a DEVMODE");
  std::unique_ptr<DEVMODEW, HRESULT (*)(PVOID)> owned(devmode, PTReleaseMemory);
  std::string text;
  auto line = [&text](const char* name, const std::string& value) {
    text.append(name).append(" ").append(value).append("\n");
  };
  auto number = [&line](const char* name, long long value) { line(name, std::to_string(value)); };
  line("dmDeviceName", WideField(devmode->dmDeviceName, CCHDEVICENAME));
  number("dmSpecVersion", devmode->dmSpecVersion);
  number("dmDriverVersion", devmode->dmDriverVersion);
  number("dmSize", devmode->dmSize);
  number("dmDriverExtra", devmode->dmDriverExtra);
  number("dmFields", devmode->dmFields);
  number("dmOrientation", devmode->dmOrientation);
  number("dmPaperSize", devmode->dmPaperSize);
  number("dmPaperLength", devmode->dmPaperLength);
  number("dmPaperWidth", devmode->dmPaperWidth);
  number("dmScale", devmode->dmScale);
  number("dmCopies", devmode->dmCopies);
  number("dmDefaultSource", devmode->dmDefaultSource);
  number("dmPrintQuality", devmode->dmPrintQuality);
  number("dmColor", devmode->dmColor);
  number("dmDuplex", devmode->dmDuplex);
  number("dmYResolution", devmode->dmYResolution);
  number("dmTTOption", devmode->dmTTOption);
  number("dmCollate", devmode->dmCollate);
  line("dmFormName", WideField(devmode->dmFormName, CCHFORMNAME));
  number("dmNup", devmode->dmNup);
  number("dmMediaType", devmode->dmMediaType);
  return text;
}

xps::ContentPtr MergeJobTicket(IPartPrintTicket* documentTicket, const xps::ContentPtr& jobTicket,
                               const std::string& printerName) {
  ComPtr<IPrintReadStream> stream;
  const HRESULT hr = documentTicket->GetStream(stream.ReleaseAndGetAddressOf());
  if (FAILED(hr)) xps::ThrowPackageError(hr, "the document's print ticket cannot be read");
  const std::string merged = MergeTickets(ReadAll(stream.Get()), ReadAll(*jobTicket), printerName);
  return xps::MakeBufferContent(std::vector<std::uint8_t>(merged.begin(), merged.end()));
}

}  // namespace kx::pipeline
