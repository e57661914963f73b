// GDI+ start-up and shut-down. The stand-in has no global state to build; it keeps the count of
// open start-ups and can be told to fail, so that callers' fallback paths can be tested.
#include <atomic>

#include "kx/gdiplus_control.h"

namespace {

std::atomic<Gdiplus::Status> startupFailure{Gdiplus::Ok};
std::atomic<ULONG_PTR> nextToken{1};

}  // namespace

namespace kx {

void SetGdiplusStartupFailure(Gdiplus::Status status) { startupFailure = status; }

}  // namespace kx

namespace Gdiplus {

extern "C" Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                                 GdiplusStartupOutput* output) {
  if (!token || !input) return InvalidParameter;
  *token = 0;
  if (input->GdiplusVersion != 1) return UnsupportedGdiplusVersion;
  // Without the background thread the caller must take the notification hooks.
  if (input->SuppressBackgroundThread && !output) return InvalidParameter;
  if (const Status failure = startupFailure.load(); failure != Ok) return failure;
  if (output) *output = GdiplusStartupOutput{};
  *token = nextToken++;
  return Ok;
}

extern "C" void GdiplusShutdown(ULONG_PTR) {}

}  // namespace Gdiplus
