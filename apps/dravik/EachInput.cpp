#include "apps/dravik/EachInput.h"

#include "apps/dravik/StandardOutput.h"
#include "apps/dravik/Tool.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

bool ForEachInput(const std::string& command, const std::vector<std::string>& paths,
                  TStandardOutput& out, const std::function<void(const std::string& path)>& check) {
  bool all = true;
  for (const std::string& path : paths) {
    try {
      check(path);
    } catch (const Exception& e) {
      all = false;
      out.Flush();
      ReportLine("dravik " + command + ": " + (path == "-" ? "standard input" : path) + ": " +
                 e.Message());
    }
  }
  return all;
}

}  // namespace dravik
