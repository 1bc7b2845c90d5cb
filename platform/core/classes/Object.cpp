#include "platform/core/classes/Object.h"

#include "platform/core/filer/KeptStreamData.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

const TClassRecord& TObject::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TObject, void>("TObject", "System").NoTypeInfo().Build();
  return record;
}

const TClassRecord& TPersistent::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TPersistent, TObject>("TPersistent", "Classes").WithTypeInfo().Build();
  return record;
}

TPersistent::TPersistent() = default;

TPersistent::~TPersistent() = default;

TKeptStreamData& TPersistent::KeepStreamData() {
  if (!fKept) fKept = std::make_unique<TKeptStreamData>();
  return *fKept;
}

void TPersistent::Assign(const TPersistent* source) {
  if (!source) throw EConvertError(Format("Cannot assign a nil to a %s", {ClassName()}));
  source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const {
  std::string destName = dest ? dest->ClassName() : "nil";
  throw EConvertError(Format("Cannot assign a %s to a %s", {ClassName(), destName}));
}

void TPersistent::DefineProperties(TFiler&) {}

std::string TPersistent::GetNamePath() const {
  if (TPersistent* owner = GetOwner()) {
    std::string path = owner->GetNamePath();
    if (!path.empty()) return path + "." + ClassName();
  }
  return ClassName();
}

}  // namespace dravik
