// The IPrintReadStreamFactory of "PerUserPrintTicket": each GetStream reads the ticket's bytes
// from their start.
#pragma once

#include <string>

#include "filterpipeline.h"
#include "kx/com_ptr.h"
#include "part_content.h"

namespace kx::pipeline {

ComPtr<IPrintReadStreamFactory> CreateTicketStreamFactory(xps::ContentPtr ticket);

// Reads a print ticket file whole and checks that it is one (a psf:PrintTicket root); throws
// xps::PackageError naming the file.
xps::ContentPtr LoadTicketFile(const std::string& path);

}  // namespace kx::pipeline
