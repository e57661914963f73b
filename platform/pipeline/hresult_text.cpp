#include "hresult_text.h"

#include <cstdio>

namespace kx::pipeline {
namespace {

struct Known {
  std::uint32_t code;
  const char* name;
  const char* words;
};

constexpr Known kKnown[] = {
    {0x80004001, "E_NOTIMPL", "not implemented"},
    {0x80004002, "E_NOINTERFACE", "interface not supported"},
    {0x80004003, "E_POINTER", "invalid pointer"},
    {0x80004004, "E_ABORT", "operation aborted"},
    {0x80004005, "E_FAIL", "unspecified failure"},
    {0x8000000A, "E_PENDING", "data not yet available"},
    {0x8000FFFF, "E_UNEXPECTED", "unexpected failure"},
    {0x80070005, "E_ACCESSDENIED", "access denied"},
    {0x80070006, "E_HANDLE", "invalid handle"},
    {0x8007000E, "E_OUTOFMEMORY", "out of memory"},
    {0x80070057, "E_INVALIDARG", "invalid argument"},
    {0x80040111, "CLASS_E_CLASSNOTAVAILABLE", "class not available"},
    {0x80070002, "ERROR_FILE_NOT_FOUND", "file not found"},
    {0x8007000D, "ERROR_INVALID_DATA", "invalid data"},
    {0x8007001D, "ERROR_WRITE_FAULT", "write fault"},
    {0x800700DF, "ERROR_FILE_TOO_LARGE", "file too large"},
    {0x8007007E, "ERROR_MOD_NOT_FOUND", "module not found"},
    {0x8007007F, "ERROR_PROC_NOT_FOUND", "procedure not found"},
    {0x80070490, "ERROR_NOT_FOUND", "element not found"},
    {0x80040003, "E_PRINTTICKET_FORMAT", "malformed print ticket"},
    {0x80040005, "E_DELTA_PRINTTICKET_FORMAT", "malformed delta print ticket"},
};

}  // namespace

std::string DescribeHResult(HRESULT hr) {
  const auto code = static_cast<std::uint32_t>(hr);
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", code);
  for (const Known& known : kKnown)
    if (known.code == code) return std::string(known.name) + " (" + known.words + ", " + hex + ")";
  return hex;
}

}  // namespace kx::pipeline
