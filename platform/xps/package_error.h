// PackageError: a failure of the package layer with the message a person reads, which names the
// file and the part. Thrown below the COM boundary; PackageBoundary turns it into its HRESULT
// and hands the message to the job's error log.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "kx/hresult_error.h"

namespace kx::xps {

inline constexpr HRESULT kInvalidPackage = MakeHResult(0x8007000D);  // ERROR_INVALID_DATA
inline constexpr HRESULT kMissingPart = MakeHResult(0x80070002);     // ERROR_FILE_NOT_FOUND
inline constexpr HRESULT kPartTooLarge = MakeHResult(0x800700DF);    // ERROR_FILE_TOO_LARGE
inline constexpr HRESULT kWriteFault = MakeHResult(0x8007001D);      // ERROR_WRITE_FAULT

// The most a part held in memory may take: markup the reader parses, content a filter writes.
inline constexpr std::size_t kMaxBufferedPartBytes = std::size_t{512} << 20;

struct PackageError : HResultError {
  PackageError(HRESULT code, std::string text) : HResultError{code}, message(std::move(text)) {}
  std::string message;
};

[[noreturn]] inline void ThrowPackageError(HRESULT code, std::string message) {
  throw PackageError(code, std::move(message));
}

// Keeps the first message reported by any thread of a job, with its HRESULT: the failure a
// filter then reports with that HRESULT is explained by it.
class ErrorLog {
 public:
  void Report(HRESULT hr, const std::string& message) {
    std::lock_guard lock(mutex_);
    if (!first_.empty()) return;
    hr_ = hr;
    first_ = message;
  }
  std::string First() const {
    std::lock_guard lock(mutex_);
    return first_;
  }
  HRESULT FirstHResult() const {
    std::lock_guard lock(mutex_);
    return hr_;
  }

 private:
  mutable std::mutex mutex_;
  HRESULT hr_ = S_OK;
  std::string first_;
};

// Runs fn at a COM boundary of the package layer; a PackageError's message goes to log.
template <class Fn>
HRESULT PackageBoundary(ErrorLog* log, Fn&& fn) noexcept {
  return HResultBoundary([&]() -> HRESULT {
    try {
      return std::forward<Fn>(fn)();
    } catch (const PackageError& error) {
      if (log) log->Report(error.hr, error.message);
      throw;
    }
  });
}

}  // namespace kx::xps
