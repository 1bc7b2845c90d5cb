#pragma once
// Which members the language frames of the process hold at the moment, as the overview window
// and `dravik overview` show it: the frames of the default domain and of the named domains, each
// with its language and its members.

#include <string>
#include <vector>

namespace dravik {

class TLanguageFrames;

struct TOverviewMember {
  enum TKind { mkNone, mkObject, mkComponent, mkDravik };
  TKind Kind = mkNone;
  // A component's "Name: Class" (the class alone without a name); another object's class.
  std::string Description;
  // The owner's description with " (Unit)" when its class's unit is known; empty without an
  // owner or when the owner is the application object.
  std::string Owner;
  // The owner's caption, when it has one that is not blank.
  std::string OwnerText;
  // Of a TDravik member.
  std::string Language;
  std::string Domain;
  bool TopLevel = false;
};

struct TOverviewFrame {
  int Position = 0;  // in its list, hidden frames counted
  std::string Name;  // empty for a frame of the default domain
  std::string Language;
  std::vector<TOverviewMember> Members;
};

struct TFrameOverview {
  std::vector<TOverviewFrame> Unnamed, Named;
};

// The frames of both lists that are not hidden, in list order; a missing list has none.
TFrameOverview BuildFrameOverview(const TLanguageFrames* unnamed, const TLanguageFrames* named);
// The overview of the process's own two lists.
TFrameOverview CurrentFrameOverview();

// "#0 - Name (English)", the name part empty for a frame of the default domain.
std::string OverviewFrameText(const TOverviewFrame& frame);
// A member's line; multilingualUnit stands for the owner of a TDravik that has none.
std::string OverviewMemberText(const TOverviewMember& member, const std::string& multilingualUnit);

}  // namespace dravik
