// The print ticket service: merging and validating print tickets, print capabilities for a
// ticket, and ticket to DEVMODE conversion, all against the printer's device description.
//
// Device description: print_capabilities.xml (what the device offers, with the imageable
// margins of each media size) and default_ticket.xml (the factory defaults) in the driver
// directory. The driver directory is $KX_DRIVER_DIR when that is set and not empty, else the
// directory "driver" next to the directory that holds the platform library (build/lib/.. ->
// build/driver). Any non-empty printer name selects this device.
//
// Validation of a merged ticket against the capabilities:
// - features, ParameterInits and root Properties in namespaces the capabilities do not declare
//   are dropped, and so are features the capabilities do not name;
// - a PickOne feature keeps one option; an option the capabilities do not offer is replaced by
//   the feature's option in the default ticket (the feature is dropped when the default ticket
//   has none); a named option is matched by name, an unnamed one by its scored properties;
// - an option keeps its own scored properties and gains the capabilities' ones it lacks;
//   Properties inside options are removed;
// - ParameterInits without a ParameterDef are dropped; values are brought within the
//   definition (type, min/max, multiple, length); a missing value takes the DefaultValue;
// - features and ParameterInits of the default ticket that the ticket lacks are added, unless a
//   Job/Document/Page alternative of the same setting is present (JobDuplexAllDocumentsContiguously
//   and DocumentDuplex, for example);
// - a Booklet binding that the delta asks for without a duplex setting of its own turns the
//   merged duplex setting into TwoSidedShortEdge (a booklet is printed short-edge).
// S_PT_CONFLICT_RESOLVED reports that a setting was dropped, replaced or brought into range;
// completing a ticket with defaults alone is S_PT_NO_CONFLICT.
//
// Provider handles belong to the thread that opened them: other threads get E_INVALIDARG,
// except PTCloseProvider, which any thread may call (the owner of a handle may be destroyed on
// another thread). A closed or unknown handle gives E_HANDLE.
//
// Results are written to the result stream at its position as UTF-8 XML, with the seek pointer
// left at the end. Error messages are BSTRs that the caller frees with SysFreeString.
#pragma once

#include "objidl.h"
#include "oleauto.h"
#include "winerror.h"
#include "wingdi.h"

struct HPTPROVIDER__;
using HPTPROVIDER = HPTPROVIDER__*;

enum EPrintTicketScope { kPTPageScope = 0, kPTDocumentScope = 1, kPTJobScope = 2 };
enum EDefaultDevmodeType { kUserDefaultDevmode = 0, kPrinterDefaultDevmode = 1 };

inline constexpr HRESULT S_PT_NO_CONFLICT = 0x00040001;
inline constexpr HRESULT S_PT_CONFLICT_RESOLVED = 0x00040002;
inline constexpr HRESULT E_PRINTTICKET_FORMAT = MakeHResult(0x80040003);
inline constexpr HRESULT E_PRINTCAPABILITIES_FORMAT = MakeHResult(0x80040004);
inline constexpr HRESULT E_DELTA_PRINTTICKET_FORMAT = MakeHResult(0x80040005);
inline constexpr HRESULT E_PRINTDEVICECAPABILITIES_FORMAT = MakeHResult(0x80040006);
inline constexpr DWORD PRINTTICKET_ISTREAM_APIS = 1;

extern "C" {
// maxVersion is the highest Print Schema version the caller understands (1 or more).
HRESULT PTOpenProvider(LPCWSTR printerName, DWORD maxVersion, HPTPROVIDER* provider);
HRESULT PTCloseProvider(HPTPROVIDER provider);
// delta may be null: the base alone is validated.
HRESULT PTMergeAndValidatePrintTicket(HPTPROVIDER provider, IStream* baseTicket,
                                      IStream* deltaTicket, EPrintTicketScope scope,
                                      IStream* resultTicket, BSTR* errorMessage);
// ticket may be null: the capabilities for the default ticket.
HRESULT PTGetPrintCapabilities(HPTPROVIDER provider, IStream* ticket, IStream* capabilities,
                               BSTR* errorMessage);
// The DEVMODE is allocated here and freed with PTReleaseMemory; its layout is documented in
// driver/README.md.
HRESULT PTConvertPrintTicketToDevMode(HPTPROVIDER provider, IStream* ticket,
                                      EDefaultDevmodeType baseType, EPrintTicketScope scope,
                                      ULONG* devmodeSize, PDEVMODEW* devmode, BSTR* errorMessage);
HRESULT PTReleaseMemory(PVOID buffer);
}
