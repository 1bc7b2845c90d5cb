// dravik fit: the layout check needs the visual framework, which the tool itself does without;
// the program beside the tool that has it does the work.
#include "apps/dravik/Command.h"
#include "apps/dravik/Companion.h"
#include "apps/dravik/FitUsage.h"

namespace dravik {

namespace {

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  RunCompanion("dravik-fit", "fit", args, out);
}

}  // namespace

const TCommand FitCommand{"fit", "check that every translated text fits its control", kFitUsage,
                          Run};

}  // namespace dravik
