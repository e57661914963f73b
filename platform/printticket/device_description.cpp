#include "device_description.h"

#include <dlfcn.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "kx/hresult_error.h"
#include "prntvpt.h"
#include "ticket_parsing.h"

namespace kx::pt {

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw HResultError{HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)};
  std::string bytes;
  char chunk[16384];
  while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
    bytes.append(chunk, static_cast<std::size_t>(file.gcount()));
    if (bytes.size() > kMaxDocumentBytes) throw HResultError{E_OUTOFMEMORY};
  }
  return bytes;
}

}  // namespace

std::filesystem::path DriverDirectory() {
  if (const char* configured = std::getenv("KX_DRIVER_DIR"); configured && *configured) {
    return configured;
  }
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&DriverDirectory), &info) == 0 || !info.dli_fname) {
    return "driver";
  }
  return std::filesystem::path(info.dli_fname).parent_path().parent_path() / "driver";
}

std::shared_ptr<const DeviceDescription> LoadDeviceDescription(
    const std::filesystem::path& driverDirectory) {
  auto device = std::make_shared<DeviceDescription>();
  device->capabilities = ParseDocument(ReadFile(driverDirectory / "print_capabilities.xml"),
                                       RootKind::PrintCapabilities, E_PRINTCAPABILITIES_FORMAT);
  device->defaultTicket = ParseDocument(ReadFile(driverDirectory / "default_ticket.xml"),
                                        RootKind::PrintTicket, E_PRINTTICKET_FORMAT);
  return device;
}

}  // namespace kx::pt
