// dravik classes [NAME]: what a form file can hold, and which of it can be translated.
#include "apps/dravik/Command.h"
#include "apps/dravik/StandardOutput.h"
#include "model/TypeTools.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassRecord.h"

namespace dravik {

namespace {

const char* Access(const TPropInfo& prop) {
  if (prop.CanRead() && prop.CanWrite()) return "rw";
  return prop.CanRead() ? "r" : "w";
}

// The declared default in the form the property's values take; empty when there is none.
std::string DefaultText(const TPropInfo& prop) {
  if (prop.Default == NoDefault || !prop.PropType) return "";
  switch (prop.Kind()) {
    case tkEnumeration:
      return EnumToStr(*prop.PropType, prop.Default);
    case tkSet:
      return SetToStr(*prop.PropType, static_cast<uint32_t>(prop.Default));
    case tkChar:
      return std::string(1, static_cast<char>(prop.Default));
    default:
      return IntToStr(prop.Default);
  }
}

std::string TypDef(const TPropInfo& prop) {
  if (prop.Kind() == tkEnumeration) return "(" + EnumTypeDecl(*prop.PropType) + ")";
  if (prop.Kind() == tkSet) return "[" + SetTypeDecl(*prop.PropType) + "]";
  return "";
}

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  TCommandLine line(args, {}, {});
  line.ExpectPositionals(0, 1);
  if (line.Positionals().empty()) {
    for (const TClassRecord* c : RegisteredClasses())
      out << c->Name() << '\t' << (c->Parent() ? c->Parent()->Name() : "") << '\t' << c->UnitName()
          << '\n';
    return 0;
  }
  const std::string& name = line.Positionals()[0];
  const TClassRecord* record = GetClass(name);
  if (!record) throw EClassNotFound(Format("Class %s not found (see 'dravik classes')", {name}));
  for (const TPropInfo* prop : record->Props())
    out << prop->Name << '\t' << TypeKindName(prop->Kind()) << '\t'
        << (prop->PropType ? prop->PropType->Name : "") << '\t' << Access(*prop) << '\t'
        << DefaultText(*prop) << '\t' << TypDef(*prop) << '\n';
  return 0;
}

}  // namespace

const TCommand ClassesCommand{
    "classes", "list the registered classes, or the published properties of one",
    "Usage: dravik classes [NAME]\n\n"
    "Without NAME: one line per class a form file can name, in registration order:\n"
    "  name, parent, unit (tab-separated).\n"
    "With NAME: one line per published property of that class, inherited ones first:\n"
    "  name, kind (tkLString, tkSet, ...), type name, access (r, w or rw),\n"
    "  default (empty when none), and the values of an enumeration or set type.\n",
    Run};

}  // namespace dravik
