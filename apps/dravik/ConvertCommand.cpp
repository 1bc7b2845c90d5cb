#include "apps/dravik/Command.h"
#include "platform/core/Exceptions.h"

namespace {
int Run(const std::vector<std::string>&) { throw Exception("convert: not built yet"); }
}  // namespace

const TCommand ConvertCommand{"convert", "convert a form stream between binary and text form",
                              "Usage: dravik convert --to text|binary IN OUT\n", Run};
