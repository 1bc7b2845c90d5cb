// dravik-edit: `dravik edit` with the editor window linked in; the tool runs it for that command.
#include "apps/dravik/EditWindow.h"
#include "apps/dravik/Tool.h"

using namespace dravik;

int main(int argc, char** argv) {
  return RunTool({&EditWindowCommand}, argc, argv);
}
