#include "byte_output_stream.h"

#include <cerrno>
#include <cstring>

#include "package_error.h"

namespace kx::pipeline {

ByteOutputStream::ByteOutputStream(const std::string& path)
    : file_(std::fopen(path.c_str(), "wb")) {
  if (!file_) xps::ThrowPackageError(xps::kWriteFault, path + ": " + std::strerror(errno));
}

ByteOutputStream::~ByteOutputStream() {
  if (file_) std::fclose(file_);
}

HRESULT ByteOutputStream::WriteBytes(const void* buffer, ULONG count, ULONG* written) {
  if (written) *written = 0;
  if (!buffer && count) return E_POINTER;
  if (closed_) return E_UNEXPECTED;
  const std::size_t done = std::fwrite(buffer, 1, count, file_);
  if (written) *written = static_cast<ULONG>(done);
  if (done == count) return S_OK;
  failed_ = true;
  return xps::kWriteFault;
}

void ByteOutputStream::Close() {
  if (closed_) return;
  closed_ = true;
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
}

bool ByteOutputStream::Completed() const { return closed_ && !failed_; }

}  // namespace kx::pipeline
