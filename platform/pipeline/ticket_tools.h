// Print ticket operations for people who write tickets and for job tickets given on the
// command line, on the driver's print ticket service. Tickets are UTF-8 XML; failures throw
// xps::PackageError with the service's message.
#pragma once

#include <string>

#include "filterpipeline.h"
#include "part_content.h"

namespace kx::pipeline {

// A print ticket file's text, checked to be a print ticket.
std::string LoadTicketText(const std::string& path);

// The delta merged over the base and validated (the delta's settings win), at job scope.
std::string MergeTickets(const std::string& base, const std::string& delta,
                         const std::string& printerName);

// The print capabilities for the ticket, with the imageable area of its media.
std::string CapabilitiesFor(const std::string& ticket, const std::string& printerName);

// The DEVMODE the ticket converts to, one "field value" line per field.
std::string DevModeText(const std::string& ticket, const std::string& printerName);

// The job ticket merged over the ticket a sequence already carries.
xps::ContentPtr MergeJobTicket(IPartPrintTicket* documentTicket, const xps::ContentPtr& jobTicket,
                               const std::string& printerName);

}  // namespace kx::pipeline
