// dravik classes [NAME]: what a form file can hold, and which of it can be translated.
#include <algorithm>

#include "apps/dravik/Command.h"
#include "apps/dravik/StandardOutput.h"
#include "model/TypeTools.h"
#include "platform/core/classes/Collection.h"
#include "platform/core/classes/Component.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassRecord.h"

namespace dravik {

namespace {

// The classes with type information that make up forms, by name: those a form file can name,
// the framework's bases of components and collections, the classes of their object properties,
// and all their ancestors.
std::vector<const TClassRecord*> DescribedClasses() {
  std::vector<const TClassRecord*> pending = RegisteredClasses();
  for (const TClassRecord* base :
       {&TComponent::StaticClass(), &TCollection::StaticClass(), &TCollectionItem::StaticClass()})
    pending.push_back(base);
  std::vector<const TClassRecord*> found;
  while (!pending.empty()) {
    const TClassRecord* record = pending.back();
    pending.pop_back();
    if (!record->ClassInfo() || std::find(found.begin(), found.end(), record) != found.end())
      continue;
    found.push_back(record);
    if (record->Parent()) pending.push_back(record->Parent());
    for (const TPropInfo* prop : record->Props())
      if (prop->Kind() == tkClass && prop->PropType->ClassType)
        pending.push_back(prop->PropType->ClassType);
  }
  std::sort(found.begin(), found.end(), [](const TClassRecord* a, const TClassRecord* b) {
    return CompareText(a->Name(), b->Name()) < 0;
  });
  return found;
}

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
  std::vector<const TClassRecord*> classes = DescribedClasses();
  if (line.Positionals().empty()) {
    for (const TClassRecord* c : classes)
      out << c->Name() << '\t' << (c->Parent() ? c->Parent()->Name() : "") << '\t' << c->UnitName()
          << '\t' << (GetClass(c->Name()) == c ? "form" : "") << '\n';
    return 0;
  }
  const std::string& name = line.Positionals()[0];
  auto named = std::find_if(classes.begin(), classes.end(),
                            [&](const TClassRecord* c) { return SameText(c->Name(), name); });
  if (named == classes.end())
    throw EClassNotFound(Format("Class %s not found (see 'dravik classes')", {name}));
  const TClassRecord* record = *named;
  for (const TPropInfo* prop : record->Props())
    out << prop->Name << '\t' << TypeKindName(prop->Kind()) << '\t'
        << (prop->PropType ? prop->PropType->Name : "") << '\t' << Access(*prop) << '\t'
        << DefaultText(*prop) << '\t' << TypDef(*prop) << '\n';
  return 0;
}

}  // namespace

const TCommand ClassesCommand{
    "classes", "list the classes forms are made of, or the published properties of one",
    "Usage: dravik classes [NAME]\n\n"
    "Without NAME: one line per class that forms are made of, sorted by name: name, parent,\n"
    "  unit, and \"form\" when a form file can name the class (tab-separated).\n"
    "With NAME: one line per published property of that class, inherited ones first:\n"
    "  name, kind (tkLString, tkSet, ...), type name, access (r, w or rw),\n"
    "  default (empty when none), and the values of an enumeration or set type.\n",
    Run};

}  // namespace dravik
