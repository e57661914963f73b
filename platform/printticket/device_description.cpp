#include "device_description.h"

#include <dlfcn.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>

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

namespace {

// What identifies the files a description was read from: a changed file is read again.
struct FileStamp {
  std::filesystem::file_time_type time;
  std::uintmax_t size = 0;
  bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::filesystem::path& file) {
  std::error_code error;
  FileStamp stamp{std::filesystem::last_write_time(file, error), 0};
  if (!error) stamp.size = std::filesystem::file_size(file, error);
  return error ? FileStamp{} : stamp;
}

std::shared_ptr<const DeviceDescription> ReadDeviceDescription(
    const std::filesystem::path& driverDirectory) {
  auto device = std::make_shared<DeviceDescription>();
  device->capabilities = ParseDocument(ReadFile(driverDirectory / "print_capabilities.xml"),
                                       RootKind::PrintCapabilities, E_PRINTCAPABILITIES_FORMAT);
  device->defaultTicket = ParseDocument(ReadFile(driverDirectory / "default_ticket.xml"),
                                        RootKind::PrintTicket, E_PRINTTICKET_FORMAT);
  return device;
}

}  // namespace

std::shared_ptr<const DeviceDescription> LoadDeviceDescription(
    const std::filesystem::path& driverDirectory) {
  // Every filter of every job opens a provider; the description is parsed once and shared
  // (it is never changed after reading) until one of its files changes.
  struct Cached {
    std::filesystem::path directory;
    FileStamp capabilities;
    FileStamp defaultTicket;
    std::shared_ptr<const DeviceDescription> device;
  };
  static std::mutex mutex;
  static Cached* cached = new Cached;  // lives to the end: providers may close after exit starts
  const FileStamp capabilities = StampOf(driverDirectory / "print_capabilities.xml");
  const FileStamp defaultTicket = StampOf(driverDirectory / "default_ticket.xml");
  {
    std::lock_guard lock(mutex);
    if (cached->device && cached->directory == driverDirectory &&
        cached->capabilities == capabilities && cached->defaultTicket == defaultTicket)
      return cached->device;
  }
  auto device = ReadDeviceDescription(driverDirectory);
  std::lock_guard lock(mutex);
  *cached = {driverDirectory, capabilities, defaultTicket, device};
  return device;
}

}  // namespace kx::pt
