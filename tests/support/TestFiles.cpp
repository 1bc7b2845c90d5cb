#include "tests/support/TestFiles.h"

#include <fcntl.h>
#include <grp.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "platform/core/streams/MemoryStream.h"

extern char** environ;

namespace dravik {

std::string ReadFileBytes(const std::string& path) {
  TMemoryStream stream;
  stream.LoadFromFile(path);
  return std::string(stream.Memory(), static_cast<std::size_t>(stream.Size()));
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SaveToFile(path);
}

TTempDir::TTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "dravik-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  fPath = pattern;
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(fPath, ignored);
}

TRunResult RunProgram(const std::vector<std::string>& argv, const std::string& input) {
  TTempDir dir;
  std::string in = dir.File("in"), out = dir.File("out"), err = dir.File("err");
  WriteFileBytes(in, input);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  TRunResult result;
  if (spawned != 0) throw std::runtime_error("cannot start " + argv[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.Out = ReadFileBytes(out);
  result.Err = ReadFileBytes(err);
  return result;
}

TRunResult RunDravik(std::vector<std::string> args, const std::string& input) {
  args.insert(args.begin(), DRAVIK_BIN_DIR "/dravik");
  return RunProgram(args, input);
}

TEnvironmentScope::TEnvironmentScope(std::string name, const std::string& value)
    : fName(std::move(name)) {
  if (const char* previous = std::getenv(fName.c_str())) {
    fPrevious = previous;
    fHadValue = true;
  }
  ::setenv(fName.c_str(), value.c_str(), 1);
}

TEnvironmentScope::~TEnvironmentScope() {
  if (fHadValue) {
    ::setenv(fName.c_str(), fPrevious.c_str(), 1);
  } else {
    ::unsetenv(fName.c_str());
  }
}

int RunUnprivileged(const std::function<int()>& body) {
  pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
      ::_exit(100);
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace dravik
