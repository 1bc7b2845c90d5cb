#pragma once
// The dialogs the language editor opens, each reached through one function that its own unit
// installs. Where none is installed the command does nothing, as if the dialog were cancelled.

#include <functional>
#include <string>
#include <vector>

#include "editor/EditorSearch.h"
#include "runtime/LanguageManager.h"

namespace dravik {

class TConfigFile;
class TDravikEditorForm;
class TStrings;

struct TSearchRequest {
  std::string Pattern;
  TSearchIn Mode = siValues;
  TSearchOptions Options;
};

// What the import dialog chose; it also removes the sections not chosen from the list.
struct TImportChoice {
  TImportMode Mode = imAddAll;
  bool InitNotLoaded = false;
  bool ShowWarnings = false;
};

struct TEditorDialogs {
  // The consistency check of the named strings against the unit's source; quiet shows its
  // dialog only when there are findings. Answers whether it changed the data or the source.
  std::function<bool(TDravikEditorForm& editor, bool quiet)> VerifyStrings;
  // The language list over the editor's working manager; whether it was confirmed.
  std::function<bool(TDravikEditorForm& editor)> Languages;
  std::function<bool(TDravikEditorForm& editor, const std::string& fileName, TStrings& sections,
                     TImportChoice& choice)>
      Import;
  std::function<bool(TDravikEditorForm& editor, TSearchRequest& request)> Search;
  // The domain and top-level setting; domains lists the domains in use.
  std::function<bool(TDravikEditorForm& editor, const std::vector<std::string>& domains,
                     std::string& domain, bool& topLevel)>
      Setup;
  // The warnings (adjusted lines) and errors (rejected lines) of an import.
  std::function<void(TDravikEditorForm& editor, const TStrings& adjusted, const TStrings& rejected)>
      Status;
};

// The installed dialogs, one set for the process.
TEditorDialogs& EditorDialogs();

// A dialog's own store takes the location of the editor's store, so that the dialog's settings
// sit beside the editor's, and loads them.
void LoadBesideEditorStore(TConfigFile& own, const TConfigFile& editorStore);

}  // namespace dravik
