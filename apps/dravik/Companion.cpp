#include "apps/dravik/Companion.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "apps/dravik/Command.h"
#include "apps/dravik/StandardOutput.h"

namespace dravik {

namespace {

std::string ProgramFolder() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string exe(path, static_cast<std::size_t>(n));
  return exe.substr(0, exe.find_last_of('/'));
}

}  // namespace

void RunCompanion(const std::string& program, const std::string& command,
                  const std::vector<std::string>& args, TStandardOutput& out) {
  out.Flush();
  const std::string path = ProgramFolder() + "/" + program;
  std::vector<std::string> all{path, command};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);
  execv(path.c_str(), argv.data());
  throw EExit{1, "cannot run " + path + ": " + std::strerror(errno)};
}

}  // namespace dravik
