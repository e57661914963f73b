// Helpers of the package tests: reading streams and parts back.
#pragma once

#include <string>
#include <vector>

#include "filterpipeline.h"
#include "kx/com_ptr.h"
#include "package_error.h"
#include "package_reader.h"
#include "part_pump.h"
#include "recording_consumer.h"

namespace kx::test {

inline std::string ReadAll(IPrintReadStream* stream) {
  std::string text;
  char buffer[4096];
  for (;;) {
    ULONG read = 0;
    BOOL end = FALSE;
    if (FAILED(stream->ReadBytes(buffer, sizeof buffer, &read, &end)) || read == 0) return text;
    text.append(buffer, read);
  }
}

inline std::string ContentOf(IUnknown* part) {
  ComPtr<IPartBase> base;
  ComPtr<IPrintReadStream> stream;
  if (FAILED(ComPtr<IUnknown>(part).As(base)) ||
      FAILED(base->GetStream(stream.ReleaseAndGetAddressOf())))
    return "<unreadable>";
  return ReadAll(stream.Get());
}

// The first part of kind I that the reader of `path` hands out; null when there is none.
template <class I>
ComPtr<I> FirstPart(const std::string& path) {
  auto reader = xps::OpenPackageReader(path, std::make_shared<xps::ErrorLog>());
  ComPtr<IUnknown> part;
  ComPtr<I> found;
  while (!found && reader->GetXpsPart(part.ReleaseAndGetAddressOf()) == S_OK && part)
    part.As(found);
  return found;
}

// Everything the reader of `path` hands out, as "<kind> <part name>"; the failure, if any.
struct ReadResult {
  std::vector<std::string> parts;
  HRESULT hr = S_OK;
  std::string message;
};

inline ReadResult ReadPackage(const std::string& path) {
  ReadResult result;
  auto log = std::make_shared<xps::ErrorLog>();
  try {
    auto reader = xps::OpenPackageReader(path, log);
    auto consumer = MakeComObject<RecordingConsumer>();
    result.hr = xps::PumpParts(reader.Get(), consumer.Get());
    result.parts = consumer->sent;
    result.message = log->First();
  } catch (const xps::PackageError& error) {
    result.hr = error.hr;
    result.message = error.message;
  }
  return result;
}

}  // namespace kx::test
