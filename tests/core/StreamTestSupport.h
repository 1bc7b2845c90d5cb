#pragma once
// Helpers of the stream-layer tests: conversions on strings, files, and running programs.

#include <string>
#include <vector>

// The conversions of ObjectText.h on byte strings.
std::string ToText(const std::string& binary);
std::string ToBinary(const std::string& text);

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
