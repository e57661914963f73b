// Pipeline read streams over memory.
#pragma once

#include <string>

#include "filterpipeline.h"
#include "kx/com_object.h"

namespace kx::test {

class MemoryReadStream final : public ComObject<IPrintReadStream> {
 public:
  explicit MemoryReadStream(std::string bytes) : bytes_(std::move(bytes)) {}

  HRESULT STDMETHODCALLTYPE Seek(LONGLONG move, DWORD origin, ULONGLONG* position) override;
  HRESULT STDMETHODCALLTYPE ReadBytes(void* buffer, ULONG requested, ULONG* read,
                                      BOOL* endOfFile) override;

  int seekCount = 0;

 private:
  std::string bytes_;
  ULONGLONG position_ = 0;
};

}  // namespace kx::test
