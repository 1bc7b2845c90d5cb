#include "editor/EditorCells.h"

#include <cstdio>

#include "model/ConvertTools.h"
#include "platform/core/graphics/Color.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "runtime/LanguageManager.h"

namespace dravik {

TEditorColumns EditorColumns(const TEditorView& view, int languages) {
  TEditorColumns columns;
  if (view.FormMode) {
    if (view.CompName) columns.Info.push_back(icCompName);
    if (view.CompType) columns.Info.push_back(icCompType);
    if (view.PropType) columns.Info.push_back(icPropType);
  }
  if (view.Descriptor) {
    columns.IDCol = static_cast<int>(columns.Info.size());
    columns.Info.push_back(icDescriptor);
  }
  columns.FirstLangCol = static_cast<int>(columns.Info.size());
  columns.LanguageColumns = languages > 0 ? languages : 1;
  return columns;
}

int ColToLangIndex(const TLanguageManager& manager, int firstLangCol, int col) {
  const int language = col - firstLangCol;
  if (language < 0 || language >= manager.GetLangCount()) return 0;
  return manager.Langs()->Items(language)->SubIndex;
}

std::string TranslateValue(const TConsistentLangPropertyEntry& entry, int slot) {
  const std::string text = TLanguageManager::LanguageText(entry, slot);
  if (!SameText(entry.TypeName, "TColor") || text.empty()) return text;
  int32_t color = 0;
  try {
    color = static_cast<int32_t>(StringToColor(text));
  } catch (const Exception&) {
    return text;  // not a colour: shown as stored rather than hidden
  }
  char hex[16];
  std::snprintf(hex, sizeof hex, "$%08X", static_cast<uint32_t>(color));
  return hex;
}

std::string NormalizeIntegerText(const std::string& text, const std::string& typeName) {
  try {
    if (SameText(typeName, "TColor"))
      return std::to_string(static_cast<int32_t>(StringToColor(Trim(text))));
    return std::to_string(StringToInt(Trim(text)));
  } catch (const Exception&) {
    return text;
  }
}

TMainEntry* ComponentEntryOf(const TPropertyEntry& entry) {
  TMainEntry* main = entry.ParentEntry();
  while (main && main->GetParent() && main->GetParent()->GetParent())
    main = main->GetParent()->GetParent();
  return main;
}

}  // namespace dravik
