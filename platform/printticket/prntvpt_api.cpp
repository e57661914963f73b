// The exported print ticket functions: argument checks, then the work of the other files of
// this directory. Every entry runs inside the boundary that turns exceptions into HRESULTs.
#include "prntvpt.h"

#include "booklet_duplex.h"
#include "capabilities_for_ticket.h"
#include "devmode_conversion.h"
#include "kx/hresult_error.h"
#include "kx/utf16.h"
#include "merge.h"
#include "provider.h"
#include "stream_io.h"
#include "ticket_parsing.h"
#include "ticket_scope.h"
#include "ticket_writing.h"
#include "validation.h"

namespace {

using namespace kx::pt;

// Runs fn at the boundary; a format error also leaves its message in errorMessage.
template <class Fn>
HRESULT Guarded(BSTR* errorMessage, Fn&& fn) {
  if (errorMessage) *errorMessage = nullptr;
  return kx::HResultBoundary([&]() -> HRESULT {
    try {
      return fn();
    } catch (const FormatError& error) {
      if (errorMessage) *errorMessage = SysAllocString(kx::Utf8ToUtf16(error.message).c_str());
      throw;
    }
  });
}

Document ReadTicket(IStream* stream, HRESULT formatError) {
  return ParseDocument(ReadWholeStream(stream, formatError), RootKind::PrintTicket, formatError);
}

void WriteTicket(IStream* stream, const Document& document, const DeviceDescription& device) {
  WriteWholeStream(stream, WriteDocument(document, device.capabilities.rootNamespaces));
}

bool ValidScope(EPrintTicketScope scope) { return scope >= kPTPageScope && scope <= kPTJobScope; }

}  // namespace

extern "C" {

HRESULT PTOpenProvider(LPCWSTR printerName, DWORD maxVersion, HPTPROVIDER* provider) {
  return kx::HResultBoundary([&]() -> HRESULT {
    if (!provider) return E_POINTER;
    *provider = nullptr;
    if (!printerName || !*printerName || maxVersion < 1) return E_INVALIDARG;
    *provider = OpenProvider(printerName);
    return S_OK;
  });
}

HRESULT PTCloseProvider(HPTPROVIDER provider) {
  return kx::HResultBoundary([&]() -> HRESULT {
    CloseProvider(provider);
    return S_OK;
  });
}

HRESULT PTMergeAndValidatePrintTicket(HPTPROVIDER provider, IStream* baseTicket,
                                      IStream* deltaTicket, EPrintTicketScope scope,
                                      IStream* resultTicket, BSTR* errorMessage) {
  return Guarded(errorMessage, [&]() -> HRESULT {
    if (!baseTicket || !resultTicket) return E_POINTER;
    if (!ValidScope(scope)) return E_INVALIDARG;
    const auto opened = UseProvider(provider);
    const DeviceDescription& device = *opened->device;
    Document base = ReadTicket(baseTicket, E_PRINTTICKET_FORMAT);
    Document delta = deltaTicket ? ReadTicket(deltaTicket, E_DELTA_PRINTTICKET_FORMAT) : Document{};
    bool changed = RemoveDuplicates(base.children) | RemoveDuplicates(delta.children);
    const bool booklet = AsksBookletWithoutDuplex(delta);
    Document merged = Merge(std::move(base), std::move(delta), scope);
    changed |= booklet && ForceShortEdgeDuplex(merged);
    changed |= Validate(merged, device, scope);
    WriteTicket(resultTicket, merged, device);
    return changed ? S_PT_CONFLICT_RESOLVED : S_PT_NO_CONFLICT;
  });
}

HRESULT PTGetPrintCapabilities(HPTPROVIDER provider, IStream* ticket, IStream* capabilities,
                               BSTR* errorMessage) {
  return Guarded(errorMessage, [&]() -> HRESULT {
    if (!capabilities) return E_POINTER;
    const auto opened = UseProvider(provider);
    const DeviceDescription& device = *opened->device;
    Document own = ticket ? ReadTicket(ticket, E_PRINTTICKET_FORMAT) : Document{};
    // The ticket's own media, even one the device does not list, decides the imageable area.
    const Document completed = Merge(device.defaultTicket, std::move(own), kPTJobScope);
    WriteTicket(capabilities, CapabilitiesForTicket(completed, device), device);
    return S_OK;
  });
}

HRESULT PTConvertPrintTicketToDevMode(HPTPROVIDER provider, IStream* ticket,
                                      EDefaultDevmodeType baseType, EPrintTicketScope scope,
                                      ULONG* devmodeSize, PDEVMODEW* devmode, BSTR* errorMessage) {
  return Guarded(errorMessage, [&]() -> HRESULT {
    if (devmode) *devmode = nullptr;
    if (devmodeSize) *devmodeSize = 0;
    if (!ticket || !devmodeSize || !devmode) return E_POINTER;
    if (!ValidScope(scope) ||
        (baseType != kUserDefaultDevmode && baseType != kPrinterDefaultDevmode)) {
      return E_INVALIDARG;
    }
    const auto opened = UseProvider(provider);
    const DeviceDescription& device = *opened->device;
    Document own = ReadTicket(ticket, E_PRINTTICKET_FORMAT);
    KeepScope(own.children, scope);
    // Both kinds of default are the factory default ticket: the service keeps no user state.
    Document full = Merge(device.defaultTicket, std::move(own), kPTJobScope);
    Validate(full, device, kPTJobScope);
    DevModeBlock block = ConvertToDevMode(full, device, opened->printerName);
    *devmodeSize = block->dmSize + block->dmDriverExtra;
    *devmode = block.release();
    return S_OK;
  });
}

HRESULT PTReleaseMemory(PVOID buffer) {
  ReleaseDevModeMemory(buffer);
  return S_OK;
}

}  // extern "C"
