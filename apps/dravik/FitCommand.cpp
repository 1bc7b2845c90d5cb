// dravik fit: the layout check needs the visual framework, which the tool itself does without;
// the program beside the tool that has it does the work.
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "apps/dravik/Command.h"
#include "apps/dravik/FitUsage.h"
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

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  out.Flush();
  const std::string program = ProgramFolder() + "/dravik-fit";
  std::vector<std::string> all{program, "fit"};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  throw EExit{1, "cannot run " + program + ": " + std::strerror(errno)};
}

}  // namespace

const TCommand FitCommand{"fit", "check that every translated text fits its control", kFitUsage,
                          Run};

}  // namespace dravik
