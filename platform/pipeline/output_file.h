// OutputFile: a file that appears under its name only when the job that writes it succeeded.
// The job writes a temporary file beside it; Commit renames it into place, and destruction
// without Commit removes it.
#pragma once

#include <string>

namespace kx::pipeline {

class OutputFile {
 public:
  // Creates the temporary file; throws xps::PackageError naming the output.
  explicit OutputFile(std::string path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  const std::string& TemporaryPath() const { return temporary_; }
  // Throws xps::PackageError when the rename fails.
  void Commit();

 private:
  std::string path_;
  std::string temporary_;
  bool committed_ = false;
};

}  // namespace kx::pipeline
