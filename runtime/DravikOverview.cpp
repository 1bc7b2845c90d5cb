#include "runtime/DravikOverview.h"

#include "platform/core/classes/Component.h"
#include "platform/core/forms/Application.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassRecord.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageSwitch.h"

namespace dravik {

namespace {

std::string Description(const TComponent& component) {
  if (component.Name().empty()) return component.ClassName();
  return component.Name() + ": " + component.ClassName();
}

// A control's text is its caption; read through the published property, so that stand-ins
// and forms without visual controls answer alike.
std::string CaptionOf(TComponent& component) {
  const TPropInfo* prop = component.ClassType().FindProp("Caption");
  if (!prop || !prop->CanRead() ||
      (prop->Kind() != tkLString && prop->Kind() != tkString && prop->Kind() != tkWString))
    return {};
  std::string text = GetStrProp(component, *prop);
  return Trim(text).empty() ? std::string() : text;
}

TOverviewMember Member(const TMethodList::TEntry& entry) {
  TOverviewMember member;
  auto* object = static_cast<TObject*>(entry.Method.Data);
  if (!entry.Method.Assigned() || !object) return member;
  auto* component = dynamic_cast<TComponent*>(object);
  if (!component) {
    member.Kind = TOverviewMember::mkObject;
    member.Description = object->ClassName();
    return member;
  }
  member.Kind = TOverviewMember::mkComponent;
  member.Description = Description(*component);
  TComponent* owner = component->Owner();
  if (owner && owner != Application) {
    member.Owner = Description(*owner);
    const std::string& unit = owner->ClassType().UnitName();
    if (!unit.empty()) member.Owner = Format("%s (%s)", {member.Owner, unit});
    member.OwnerText = CaptionOf(*owner);
  }
  if (auto* dravik = dynamic_cast<TDravik*>(component)) {
    member.Kind = TOverviewMember::mkDravik;
    member.Language = dravik->GetLanguage();
    member.Domain = dravik->GetDomain();
    member.TopLevel = dravik->GetTopLevel();
  }
  return member;
}

std::vector<TOverviewFrame> Frames(const TLanguageFrames* frames) {
  std::vector<TOverviewFrame> result;
  for (int i = 0; frames && i < frames->Count(); ++i) {
    const TLanguageFrame* frame = frames->Items(i);
    if (frame->Hidden()) continue;
    TOverviewFrame& shown = result.emplace_back();
    shown.Position = i;
    shown.Name = frame->Name();
    shown.Language = frame->Language();
    frame->Notifies().ForEach(
        [&](const TMethodList::TEntry& entry) { shown.Members.push_back(Member(entry)); });
  }
  return result;
}

}  // namespace

TFrameOverview BuildFrameOverview(const TLanguageFrames* unnamed, const TLanguageFrames* named) {
  return {Frames(unnamed), Frames(named)};
}

TFrameOverview CurrentFrameOverview() {
  return BuildFrameOverview(DefaultDomainFrames(), NamedDomainFrames());
}

std::string OverviewFrameText(const TOverviewFrame& frame) {
  return Format("#%d %s (%s)",
                {frame.Position, frame.Name.empty() ? "" : "- " + frame.Name, frame.Language});
}

std::string OverviewMemberText(const TOverviewMember& member, const std::string& multilingualUnit) {
  const std::string text = member.OwnerText.empty() ? "" : Format(" - '%s'", {member.OwnerText});
  switch (member.Kind) {
    case TOverviewMember::mkNone:
      return "???";
    case TOverviewMember::mkObject:
      return member.Description;
    case TOverviewMember::mkComponent:
      return member.Description + text;
    case TOverviewMember::mkDravik:
      break;
  }
  const std::string owner = member.Owner.empty() ? multilingualUnit : member.Owner + text;
  return owner + " (" + member.Language + ")";
}

}  // namespace dravik
