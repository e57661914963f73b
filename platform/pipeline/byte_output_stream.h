// The IPrintWriteStream a filter that produces printer data writes to: the bytes go to a file
// as they come. Close flushes; a write or flush failure is kept and reported by Completed.
#pragma once

#include <cstdio>
#include <string>

#include "filterpipeline.h"
#include "kx/com_object.h"

namespace kx::pipeline {

class ByteOutputStream final : public ComObject<IPrintWriteStream> {
 public:
  // Throws xps::PackageError when the file cannot be created.
  explicit ByteOutputStream(const std::string& path);
  ~ByteOutputStream() override;

  HRESULT STDMETHODCALLTYPE WriteBytes(const void* buffer, ULONG count, ULONG* written) override;
  void STDMETHODCALLTYPE Close() override;

  // True when Close ran and every byte reached the file.
  bool Completed() const;

 private:
  std::FILE* file_;
  bool failed_ = false;
  bool closed_ = false;
};

}  // namespace kx::pipeline
