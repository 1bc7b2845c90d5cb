#include "source/UnitRewrite.h"

#include "platform/core/system/Guid.h"
#include "platform/core/system/SysUtils.h"
#include "source/SourceParser.h"

namespace dravik {

namespace {

bool FindFinalEnd(const TSourceParser& parser, int32_t& endPos) {
  int32_t nextPos;
  return parser.FindTokenSequence(0, -1, {}, nextPos, endPos, {"end", "."});
}

// Where the declarations go: after `implementation` and its uses clause; -1 when there is no
// implementation part or its uses clause does not end.
int32_t DeclarationPos(const TSourceParser& parser, int32_t finalEnd) {
  int32_t nextPos;
  int32_t found;
  if (!parser.FindToken(0, finalEnd, {}, nextPos, found, "implementation")) return -1;
  int32_t pos = found + 14;
  std::string token;
  int32_t tokenPos;
  if (!parser.FindNextToken(pos, finalEnd, nextPos, tokenPos, token) || !SameText(token, "uses"))
    return pos;
  return parser.FindToken(nextPos, finalEnd, {}, nextPos, found, ";") ? found + 1 : -1;
}

}  // namespace

bool GetResIDFromSource(const TSourceParser& parser, std::string& resID) {
  resID.clear();
  int32_t finalEnd;
  if (!FindFinalEnd(parser, finalEnd)) return false;
  int32_t nextPos;
  int32_t found;
  for (int32_t pos = 0;
       pos >= 0 && parser.FindTokenSequence(pos, finalEnd, {}, nextPos, found, {"InitDravik", "("});
       pos = nextPos) {
    std::string token;
    int32_t tokenPos;
    int32_t after;
    int32_t block;
    if (nextPos < 0 || !parser.FindNextToken(nextPos, finalEnd, after, tokenPos, token) ||
        token != "'" || !parser.GetBlockIndex(btString, tokenPos, block))
      continue;
    const std::string text = parser.Blocks()[block].BlockText();
    if (text.size() > 2) resID = Trim(text.substr(1, text.size() - 2));
    return !resID.empty();
  }
  return false;
}

bool ModifySourceCode(TSourceParser& parser, const std::string& resID) {
  int32_t finalEnd;
  if (!FindFinalEnd(parser, finalEnd)) return false;
  const int32_t declPos = DeclarationPos(parser, finalEnd);
  if (declPos < 0) return false;
  bool hasMain;
  int32_t mainPos;
  if (!parser.Pas_HasUnitMainProgram(hasMain, mainPos) || (hasMain && declPos >= mainPos))
    return false;

  // The unit keeps its own line breaks.
  const std::string br = parser.LineBreakOfText(declPos);
  const std::string call = "  InitDravik('" + resID + "',LangChange,GetString);";
  int32_t nextPos;
  int32_t initPos;
  const std::string original = parser.Source;
  // The call lies further down than the declarations, so it goes in first.
  if (hasMain) {
    TrimInsert(br + call + br, parser.Source, mainPos + 1);
  } else if (parser.FindToken(declPos, finalEnd, {}, nextPos, initPos, "initialization")) {
    TrimInsert(br + call + br + "  ", parser.Source, initPos + 14 + 1);
  } else {
    TrimInsert(br + br + "initialization" + br + call + br + br, parser.Source, finalEnd);
  }
  TrimInsert(br + br + "{$R *.LNG}" + br + br + "var" + br + "  GetString:TGetString;" + br + br +
                 "procedure LangChange(const Language:string);" + br + "begin" + br + "end;" + br +
                 br,
             parser.Source, declPos + 1);

  parser.ParseLines(ctPascal);
  bool alreadyUsed;
  const bool used = parser.Pas_UseUnit("Dravik", true, alreadyUsed);
  if (!used) parser.Source = original;
  parser.ParseLines(ctPascal);
  return used;
}

std::string NewResourceID() {
  return GUIDToString(CreateGUID());
}

}  // namespace dravik
