#include "output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "package_error.h"

namespace kx::pipeline {
namespace {

[[noreturn]] void Fail(const std::string& path) {
  xps::ThrowPackageError(xps::kWriteFault, path + ": " + std::strerror(errno));
}

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
  const std::size_t slash = path_.rfind('/');
  const std::string directory = slash == std::string::npos ? "" : path_.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path_ : path_.substr(slash + 1);
  std::string pattern = directory + "." + name + ".XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  const int descriptor = mkstemp(buffer.data());
  if (descriptor < 0) Fail(path_);
  // mkstemp makes the file private; the output gets the usual permissions.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(descriptor, 0666 & ~mask);
  close(descriptor);
  temporary_ = buffer.data();
}

OutputFile::~OutputFile() {
  if (!committed_) std::remove(temporary_.c_str());
}

void OutputFile::Commit() {
  if (std::rename(temporary_.c_str(), path_.c_str()) != 0) Fail(path_);
  committed_ = true;
}

}  // namespace kx::pipeline
