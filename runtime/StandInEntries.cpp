#include "runtime/StandInEntries.h"

#include <string>
#include <typeinfo>

#include "model/ComponentExplorerTools.h"
#include "platform/core/filer/StandIn.h"
#include "runtime/LangPropertyEntries.h"

namespace dravik {

namespace {

// The identifiers of an enumeration value ("alClient") or a set value ("[akLeft,akTop]").
void LearnIdentifiers(TStandInClasses& classes, TStandInProp& prop, const std::string& text) {
  std::size_t start = text.find_first_not_of("[ ");
  while (start != std::string::npos && start < text.size()) {
    std::size_t end = text.find_first_of(",] ", start);
    classes.LearnIdentifier(prop, text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = text.find_first_not_of(",] ", end);
  }
}

void DescribeEntry(TMainEntry& entry, TStandInHolder& holder) {
  TStandInValues& values = holder.StandInValues();
  TStandInClasses& classes = values.Classes();
  TClassRecord& record = holder.StandInClass();
  for (int i = 0; i < entry.Props()->Count(); ++i) {
    TPropertyEntry* property = entry.Props()->Items(i);
    TStandInProp* prop = classes.DescribeProperty(record, property->Name, property->Kind);
    auto* languages = dynamic_cast<TConsistentLangPropertyEntry*>(property);
    if (!prop || !prop->Type || !languages) continue;
    for (int slot = 1; slot < languages->Count(); ++slot)
      if (languages->HasLangValue(slot))
        LearnIdentifiers(classes, *prop, VarToStr(languages->GetLangValue(slot)));
  }
  for (int i = 0; i < entry.Items()->Count(); ++i) {
    TMainEntry* child = entry.Items()->Items(i);
    const TMainEntrySubType subType = child->SubType();
    if (subType.Contains(stNoValidate) || subType.Contains(stTStringsObject)) continue;
    TStandInHolder* inner = nullptr;
    if (subType.Contains(stCollectionObject)) {
      int index;
      std::string name = child->Name.substr(0, child->Name.find('['));
      TStandInProp* prop = classes.Find(record.FindProp(name));
      auto* collection = prop && prop->Kind == TStandInKind::Collection
                             ? dynamic_cast<TCollection*>(values.GetObject(*prop))
                             : nullptr;
      if (collection && child->GetItemIndex(index) && index < collection->Count())
        inner = dynamic_cast<TStandInHolder*>(collection->Items(index));
    } else if (subType.Contains(stPubPropObject)) {
      if (TStandInProp* prop = classes.Property(record, child->Name, TStandInKind::Object))
        inner = dynamic_cast<TStandInHolder*>(values.GetObject(*prop));
    }
    if (inner) DescribeEntry(*child, *inner);
  }
}

}  // namespace

void DescribeStandIns(TComponentEntries& comps) {
  for (int i = 0; i < comps.Count(); ++i) {
    TComponentEntry* entry = comps.Items(i);
    // Every switch passes here for every component: an exact type test costs a fraction of the
    // cross-cast to the holder, and TStandIn is the one component class that holds values.
    TComponent* component = entry->Ref();
    if (component && typeid(*component) == typeid(TStandIn))
      DescribeEntry(*entry, *static_cast<TStandIn*>(component));
  }
}

}  // namespace dravik
