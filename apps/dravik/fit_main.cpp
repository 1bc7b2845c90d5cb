// dravik-fit: `dravik fit` with the visual controls linked in; the tool runs it for that command.
#include "apps/dravik/FitCheck.h"
#include "apps/dravik/Tool.h"

using namespace dravik;

int main(int argc, char** argv) {
  return RunTool({&FitCheckCommand}, argc, argv);
}
