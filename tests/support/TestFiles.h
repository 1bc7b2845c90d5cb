#pragma once
// What tests share: files in a temporary folder, environment variables set for a while, and
// running a program as a user would.

#include <functional>
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

// Sets an environment variable for the life of the object, then puts back what was there.
class TEnvironmentScope {
 public:
  TEnvironmentScope(std::string name, const std::string& value);
  ~TEnvironmentScope();
  TEnvironmentScope(const TEnvironmentScope&) = delete;
  TEnvironmentScope& operator=(const TEnvironmentScope&) = delete;

 private:
  std::string fName;
  std::string fPrevious;
  bool fHadValue = false;
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

// Runs body in a child process without root's rights (as nobody when the tests run as root) and
// answers the child's exit code.
int RunUnprivileged(const std::function<int()>& body);

}  // namespace dravik
