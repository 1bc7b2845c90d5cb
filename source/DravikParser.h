#pragma once
// TDravikParser: checks the GetString calls of a unit against the string IDs its form's TDravik
// defines. A call passes a single literal (`GetString('Hello')`) or it is reported as invalid.

#include <string>
#include <unordered_set>
#include <vector>

#include "source/SourceParser.h"

namespace dravik {

// A finding in the source: an ID or an excerpt, and the offset it was found at.
struct TSourceEntry {
  std::string Text;
  int32_t Offset;
};
using TSourceEntries = std::vector<TSourceEntry>;

class TDravikParser : public TSourceParser {
 public:
  // componentName is the Name of the TDravik whose calls count when checking by component name;
  // names (not owned, must outlive the parser) are its defined string IDs.
  TDravikParser(std::string componentName, std::string source,
                const std::vector<std::string>& names);

  const char* ClassName() const override { return "TDravikParser"; }

  // Parses and fills the four lists. False when the text has no final `end.` (the lists stay
  // empty); true otherwise. byComponentName: only `Name.GetString(...)` calls count; otherwise
  // every `GetString(...)` that is not a method of some other object.
  bool Check(bool byComponentName);

  const std::string& ComponentName() const { return fComponentName; }
  const std::vector<std::string>& Names() const { return *fNames; }
  // Calls with a single literal: the ID and the offset of the literal's opening quote.
  const TSourceEntries& UsedIDs() const { return fUsedIDs; }
  // Those of UsedIDs that Names lacks (letter case ignored).
  const TSourceEntries& UnknownIDs() const { return fUnknownIDs; }
  // Other calls: an excerpt and the offset of the first token after `(`.
  const TSourceEntries& InvalidCalls() const { return fInvalidCalls; }
  // Entries of Names that no call uses.
  const std::vector<std::string>& UnusedIDs() const { return fUnusedIDs; }

 private:
  // Reads the call whose name token starts at callPos and whose `(` is expected from nextPos;
  // returns where the search continues.
  int32_t ReadCall(int32_t callPos, int32_t nextPos, int32_t finalEnd);
  bool IsMethodOfOtherObject(int32_t callPos) const;
  std::string Excerpt(int32_t callPos, int32_t parenPos) const;

  std::string fComponentName;
  const std::vector<std::string>* fNames;
  TSourceEntries fUsedIDs;
  TSourceEntries fUnknownIDs;
  TSourceEntries fInvalidCalls;
  std::vector<std::string> fUnusedIDs;
  // Names upper-cased, for the lookups that ignore letter case.
  std::unordered_set<std::string> fNameKeys;
};

}  // namespace dravik
