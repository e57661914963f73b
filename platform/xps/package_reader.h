// The IXpsDocumentProvider that reads an XPS package (Microsoft XPS or OpenXPS): hands out the
// XPS document, the fixed document sequence, then per fixed document the document and, per
// page, the resources not handed out before followed by the page. Parts are made as they are
// asked for; only the sequence and one document's markup are parsed, and page and resource
// content is streamed from the archive by whoever reads it.
//
// A broken package fails GetXpsPart with an HRESULT, reports a message naming the file and
// the part to the error log, and keeps failing. Called by one filter thread.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "filterpipeline.h"
#include "kx/com_ptr.h"
#include "package_error.h"
#include "part_content.h"

namespace kx::xps {

struct ReaderOptions {
  // A job print ticket attached to the sequence, as an application attaches one.
  ContentPtr jobTicket;
  // Merges the job ticket over a ticket the sequence already carries; without it the job
  // ticket replaces that ticket.
  std::function<ContentPtr(IPartPrintTicket* sequenceTicket, const ContentPtr& jobTicket)>
      mergeJobTicket;
};

// Opens the archive and reads the package structure up to the sequence; throws PackageError.
ComPtr<IXpsDocumentProvider> OpenPackageReader(const std::string& path,
                                               std::shared_ptr<ErrorLog> log,
                                               const ReaderOptions& options = {});

}  // namespace kx::xps
