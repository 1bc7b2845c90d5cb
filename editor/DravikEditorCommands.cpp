// The language editor's menu and tool-bar commands.

#include <sys/stat.h>

#include <unordered_map>

#include "editor/DravikEditorForm.h"
#include "editor/EditorDialogs.h"
#include "editor/LanguageGrid.h"
#include "library/FileTools.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/forms/Application.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageManager.h"
#include "runtime/LanguageSwitch.h"
#include "widgets/ComponentExplorerDialog.h"
#include "widgets/ConfigFile.h"
#include "widgets/MsgDlg.h"

namespace dravik {

// --- File ----------------------------------------------------------------------------------------

void TDravikEditorForm::ItemImportClick(TObject*) {
  if (!CellValid()) return;
  auto* dialog = FindOwned<TOpenDialog>(this, "OpenDialog");
  if (dialog->Execute()) ImportLanguagesFrom(ExpandApplicationDir(dialog->FileName()));
}

void TDravikEditorForm::ImportLanguagesFrom(const std::string& fileName) {
  fImportFileName = fileName;
  try {
    if (!FileExist(fileName)) {
      Message(Format(Text("EFileNotFound"), {fileName}), mtError, {mbOK});
      return;
    }
    TStringList sections;
    TLanguageManager::GetAvailLangSections(fileName, sections);
    if (sections.Count() == 0) {
      Message(Text("ENoEntriesToImport"), mtError, {mbOK});
      return;
    }
    TImportChoice choice;
    if (!EditorDialogs().Import || !EditorDialogs().Import(*this, fileName, sections, choice))
      return;
    fDataModified = true;
    TStringList adjusted, rejected;
    fWorkManager->ImportLanguages(
        fileName, FindOwned<TComponentExplorerDialog>(this, "CE")->Settings(), choice.Mode,
        choice.InitNotLoaded, sections, &adjusted, &rejected);
    if ((rejected.Count() > 0 || (choice.ShowWarnings && adjusted.Count() > 0)) &&
        EditorDialogs().Status)
      EditorDialogs().Status(*this, adjusted, rejected);
    RefreshGrid();
  } catch (const Exception& e) {
    Message(Text("EIOError") + "\n\n" + e.Message(), mtError, {mbOK});
  }
}

void TDravikEditorForm::ItemExportClick(TObject*) {
  if (!CellValid()) return;
  auto* dialog = FindOwned<TSaveDialog>(this, "SaveDialog");
  while (dialog->Execute()) {
    fExportFileName = ExpandApplicationDir(dialog->FileName());
    if (FileExist(fExportFileName)) {
      const int32_t answer = Message(Format(Text("OverwriteDestFile"), {fExportFileName}),
                                     mtWarning, {mbYes, mbNo, mbCancel});
      if (answer == mrNo) continue;
      if (answer != mrYes) return;
    }
    ExportLanguagesTo(fExportFileName);
    return;
  }
}

// An existing file the user agreed to overwrite is made writable and replaced whole by the
// export, never deleted first: when the export fails, the old file is still there as it was.
bool TDravikEditorForm::ExportLanguagesTo(const std::string& fileName) {
  fExportFileName = fileName;
  struct stat before {};
  const bool existed = stat(fileName.c_str(), &before) == 0;
  try {
    if (existed && !(before.st_mode & S_IWUSR)) chmod(fileName.c_str(), before.st_mode | S_IWUSR);
    fWorkManager->ExportLanguages(fileName);
    return true;
  } catch (const Exception& e) {
    if (existed) chmod(fileName.c_str(), before.st_mode);
    Message(Text("EIOError") + "\n\n" + e.Message(), mtError, {mbOK});
    return false;
  }
}

void TDravikEditorForm::ItemAutoBackupClick(TObject*) {
  Item("ItemAutoBackup")->SetChecked(!Item("ItemAutoBackup")->Checked());
}

void TDravikEditorForm::ItemAcceptClick(TObject*) {
  Commit();
}

void TDravikEditorForm::ItemCloseClick(TObject*) {
  Close();
}

// --- Edit ----------------------------------------------------------------------------------------

void TDravikEditorForm::ItemAddStrClick(TObject*) {
  if (!CellValid()) return;
  TConsistentLangPropertyEntry* entry = fWorkManager->AddString("");
  fDataModified = true;
  TLanguageGrid* grid = Grid();
  const int firstCol = IDCol() >= 0 ? IDCol() : FirstLangCol();
  if (!grid->Enabled()) {
    RefreshGrid();
    grid->MoveTo(firstCol, grid->RowCount() - 1);
    return;
  }
  int row = std::max(grid->Row(), 1);
  if (row == grid->RowCount() - 1) row = grid->RowCount();
  grid->InsertRow(row);
  InitRow(row, entry);
  grid->MoveTo(firstCol, row);
  CheckConditions();
  WriteStatus();
}

void TDravikEditorForm::ItemDelEntryClick(TObject*) {
  if (!CellValid()) return;
  TLanguageGrid* grid = Grid();
  const int row = grid->Row();
  TConsistentLangPropertyEntry* entry = RowEntry(row);
  if (!entry) return;
  grid->SetObjects(0, row, nullptr);
  const int line = fRows->IndexOfObject(entry);
  if (line >= 0) fRows->Delete(line);
  if (fWorkManager->IsStringEntry(*entry))
    fWorkManager->RemoveString(entry);
  else
    entry->Free();
  fDataModified = true;
  if (grid->RowCount() - 1 < 2) {
    RefreshGrid();
    return;
  }
  const int next = row < grid->RowCount() - 1 ? row + 1 : row - 1;
  const int col = grid->Col();
  grid->MoveTo(col, next);
  if (grid->Row() != next) grid->MoveTo(col + 1, next);
  grid->DeleteRow(row);
  CheckConditions();
  WriteStatus();
}

void TDravikEditorForm::ItemVerifyStringsClick(TObject*) {
  if (!CellValid() || !EditorDialogs().VerifyStrings) return;
  if (EditorDialogs().VerifyStrings(*this, false)) RefreshGrid();
}

void TDravikEditorForm::ItemVerifyStringsAtStartClick(TObject*) {
  Item("ItemVerifyStringsAtStart")->SetChecked(!Item("ItemVerifyStringsAtStart")->Checked());
}

// --- Search
// ----------------------------------------------------------------------------------------

void TDravikEditorForm::ItemSearchClick(TObject*) {
  if (!EditorDialogs().Search) return;
  TSearchRequest request;
  request.Mode = fSearchMode;
  request.Options = fSearchOptions;
  if (EditorDialogs().Search(*this, request)) StartSearch(request);
}

void TDravikEditorForm::StartSearch(const TSearchRequest& request) {
  fSearchMode = request.Mode;
  fSearchOptions = request.Options;
  fSearchIgnoreAmp = fSearchMode == siValues && request.Pattern.find('&') == std::string::npos;
  fSearchPattern = PrepareSearchPattern(request.Pattern, fSearchOptions);
  CheckConditions();
  SearchNext(true);
}

void TDravikEditorForm::ItemSearchAgainClick(TObject*) {
  SearchNext(false);
}

// Positions are a language column's offset from the first language column and a row.
void TDravikEditorForm::SearchNext(bool first) {
  TLanguageGrid* grid = Grid();
  if (!grid->Enabled() || fSearchPattern.empty()) return;
  const int firstLang = FirstLangCol(), lastOffset = grid->ColCount() - 1 - firstLang;
  const bool backward = fSearchOptions.Contains(soBackward);
  const bool values = fSearchMode == siValues;
  const int col = grid->Col(), row = grid->Row();
  int p = 0, r = 1;
  if (first) {
    if (fSearchOptions.Contains(soFromCursor)) {
      p = std::max(col - firstLang, 0);
      r = row;
    } else if (backward) {
      p = lastOffset;
      r = grid->RowCount() - 1;
    }
  } else if (backward) {
    if (!values || col <= firstLang) {
      p = std::max(lastOffset, 0);
      r = row - 1;
    } else {
      p = col - firstLang - 1;
      r = row;
    }
  } else if (!values || col >= grid->ColCount() - 1) {
    r = row + 1;
  } else {
    p = std::max(col - firstLang + 1, 0);
    r = row;
  }
  // Descriptors are looked up once per search, not once per row.
  std::unordered_map<const TObject*, int> lines;
  if (fSearchMode == siDescs)
    for (int i = 0; i < fRows->Count(); ++i) lines.emplace(fRows->Objects(i), i);
  for (; r >= 1 && r < grid->RowCount(); backward ? --r : ++r) {
    if (values) {
      for (int c = firstLang + p; c >= firstLang && c < grid->ColCount(); c += backward ? -1 : 1) {
        if (CompareFilter(PrepareSearchText(grid->Cells(c, r), fSearchIgnoreAmp, fSearchOptions),
                          fSearchPattern)) {
          grid->MoveTo(c, r);
          return;
        }
      }
    } else {
      std::string text;
      TConsistentLangPropertyEntry* entry = RowEntry(r);
      if (fSearchMode == siNames) {
        text = RowNameText(r);
      } else if (entry && fWorkManager->IsStringEntry(*entry)) {
        text = fWorkManager->Names()->Strings(entry->Index);
      } else if (auto line = lines.find(entry); entry && line != lines.end()) {
        text = fRows->Strings(line->second);
      }
      if (!text.empty() &&
          CompareFilter(PrepareSearchText(text, false, fSearchOptions), fSearchPattern)) {
        grid->MoveTo(firstLang, r);
        return;
      }
    }
    p = backward ? lastOffset : 0;
  }
  Beep();
}

// --- View
// ------------------------------------------------------------------------------------------

void TDravikEditorForm::ItemViewTypeClick(TObject* sender) {
  ToggleViewItem(dynamic_cast<TMenuItem*>(sender));
}

void TDravikEditorForm::ItemStringIDClick(TObject* sender) {
  ToggleViewItem(dynamic_cast<TMenuItem*>(sender));
}

// The descriptor column and the string-ID column are one column under two names.
void TDravikEditorForm::ToggleViewItem(TMenuItem* item) {
  if (!item || !CellValid()) return;
  item->SetChecked(!item->Checked());
  if (item == Item("ItemPropDesc")) Item("ItemStringID")->SetChecked(item->Checked());
  if (item == Item("ItemStringID")) Item("ItemPropDesc")->SetChecked(item->Checked());
  RefreshGrid();
}

void TDravikEditorForm::ItemAutoSizeClick(TObject*) {
  AutoSizeColumns();
}

// --- Settings ----------------------------------------------------------------------------------

void TDravikEditorForm::ItemLangsClick(TObject*) {
  if (!CellValid() || !EditorDialogs().Languages) return;
  if (!EditorDialogs().Languages(*this)) return;
  fDataModified = true;
  RefreshGrid();
}

void TDravikEditorForm::ItemPropsClick(TObject*) {
  if (!fFormMode || !CellValid()) return;
  // The chooser offers the live components' properties, among which the named strings are not:
  // a choice without the TDravik's entry would drop them. They are kept and given back.
  struct TKeptString {
    std::string Name;
    std::vector<Variant> Values;
  };
  std::vector<TKeptString> kept;
  if (TMainEntry* strings = fWorkManager->GetStringInterface(false))
    for (int i = 0; i < strings->Props()->Count(); ++i) {
      auto* entry = static_cast<TConsistentLangPropertyEntry*>(strings->Props()->Items(i));
      TKeptString& string = kept.emplace_back();
      string.Name = fWorkManager->Names()->Strings(entry->Index);
      for (int slot = 0; slot < entry->Count(); ++slot)
        string.Values.push_back(entry->GetLangValue(slot));
    }
  auto* chooser = FindOwned<TComponentExplorerDialog>(this, "CE");
  if (!chooser->ExecuteEx(fRoot, fWorkManager->Comps(),
                          &TConsistentLangPropertyEntry::StaticClass()))
    return;
  for (const TKeptString& string : kept) {
    if (fWorkManager->GetStringNameIndex(string.Name) >= 0) continue;
    TConsistentLangPropertyEntry* entry = fWorkManager->AddString(string.Name);
    entry->SetCount(static_cast<int32_t>(string.Values.size()));
    for (int slot = 0; slot < static_cast<int>(string.Values.size()); ++slot)
      entry->SetLangValue(slot, string.Values[static_cast<std::size_t>(slot)]);
  }
  fWorkManager->SyncCount(Item("ItemInitNewProps")->Checked() ? cmInitAll : cmInitDefault);
  fDataModified = true;
  RefreshGrid();
  Config()->SaveComponentState(chooser);
}

void TDravikEditorForm::ItemSetupClick(TObject*) {
  if (!EditorDialogs().Setup) return;
  std::vector<std::string> domains;
  if (TLanguageFrames* frames = NamedDomainFrames())
    for (TLanguageFrame* frame : *frames)
      if (!frame->Hidden()) domains.push_back(frame->Name());
  std::string domain = fNewDomain;
  bool topLevel = fNewTopLevel;
  if (!EditorDialogs().Setup(*this, domains, domain, topLevel)) return;
  fNewDomain = domain;
  fNewTopLevel = topLevel;
  SetDataModified();
  WriteStatus();
}

void TDravikEditorForm::ItemInitNewPropsClick(TObject*) {
  TMenuItem* item = Item("ItemInitNewProps");
  const std::string question =
      Format("%s %s", {Text("InitNewPropsHint"),
                       Text(item->Checked() ? "InitNewPropsDeactivate" : "InitNewPropsActivate")});
  if (Message(question, mtConfirmation, {mbYes, mbNo, mbHelp}) == mrYes)
    item->SetChecked(!item->Checked());
}

void TDravikEditorForm::ItemFontClick(TObject*) {
  auto* dialog = FindOwned<TFontDialog>(this, "FontDialog");
  TLanguageGrid* grid = Grid();
  dialog->SetFont(grid->Font());
  if (!dialog->Execute()) return;
  grid->SetFont(dialog->Font());
  AdjustGridDefaultRowHeight(grid);
  AutoSizeColumns();
}

void TDravikEditorForm::ItemDefaultFontClick(TObject*) {
  TLanguageGrid* grid = Grid();
  if (grid->ParentFont()) return;
  grid->SetParentFont(true);
  AdjustGridDefaultRowHeight(grid);
  AutoSizeColumns();
}

void TDravikEditorForm::ItemEnglishClick(TObject*) {
  if (!CellValid()) return;
  SetUILanguage("English");
}

void TDravikEditorForm::ItemGermanClick(TObject*) {
  if (!CellValid()) return;
  SetUILanguage("Deutsch");
}

// --- Help --------------------------------------------------------------------------------------

void TDravikEditorForm::ItemHelpClick(TObject*) {
  if (Application) Application->HelpContext(1);
}

void TDravikEditorForm::ItemAboutClick(TObject*) {
  MsgEx(BaseCaption() + "\n\n" + Text("CreatedBy"), BaseCaption(), mtInformation,
        Dravik()->GetDomain(), 0, {mbOK});
}

void TDravikEditorForm::ItemShowSourceClick(TObject*) {
  TComponentPtr<TForm> window = MakeComponent<TForm>(nullptr);
  window->SetCaption("[" + fSourceFileName + "]");
  window->SetIconName(IconName());
  window->SetPosition(poScreenCenter);
  window->SetClientWidth(640);
  window->SetClientHeight(400);
  // A plain memo: the source is shown as it is, with scroll bars and no wrapping.
  TMemo* text = Create<TMemo>(window.get());
  text->SetParent(window.get());
  text->SetAlign(alClient);
  text->SetReadOnly(true);
  text->SetWordWrap(false);
  text->Lines()->SetText(fSourceText);
  window->ShowModal();
}

}  // namespace dravik
