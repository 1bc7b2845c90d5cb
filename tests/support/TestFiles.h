#pragma once
// What tests share: files in a temporary folder, and running a program as a user would.

#include <string>
#include <vector>

namespace dravik {

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// A fresh folder under the temporary directory, removed with its contents at the end.
class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  const std::string& Path() const { return fPath; }
  std::string File(const std::string& name) const { return fPath + "/" + name; }

 private:
  std::string fPath;
};

struct TRunResult {
  int ExitCode = -1;
  std::string Out;
  std::string Err;
};

// Runs a program with arguments, feeding input to its standard input.
TRunResult RunProgram(const std::vector<std::string>& argv, const std::string& input = "");
// Runs build/bin/dravik with the arguments.
TRunResult RunDravik(std::vector<std::string> args, const std::string& input = "");

}  // namespace dravik
