#include "source/MultilingualUnit.h"

#include <exception>

#include "platform/core/forms/Application.h"
#include "runtime/Dravik.h"
#include "runtime/UnitLanguageFile.h"
#include "source/SourceParser.h"
#include "source/UnitRewrite.h"

namespace dravik {

namespace {

// The unit's data while the command runs: the application's when there is one.
TComponentPtr<TDravik> TemporaryDravik() {
  if (Application) return MakeComponent<TDravik>(Application);
  TOwnerlessScope ownerless;
  return MakeComponent<TDravik>(nullptr);
}

class TUnitCommand {
 public:
  TUnitCommand(const std::string& fileName, const TUnitCommandHost& host)
      : fHost(host),
        fPasName(UnitFileWithExtension(fileName, ".pas")),
        fLngName(UnitFileWithExtension(fileName, ".lng")),
        fDravik(TemporaryDravik()) {}

  TUnitCommandResult Run() {
    std::string text;
    fSourceRead = fHost.ReadSource(fPasName, text);
    if (!fSourceRead && !Yes("ESourceReadError", TUnitQuestion::Continue)) return fResult;
    fParser.Source = std::move(text);
    if (fSourceRead) fParser.ParseLines(ctPascal);
    if (LanguageFileAccess(fLngName) == TFileAccess::Missing)
      Create();
    else
      Open();
    return fResult;
  }

 private:
  bool Yes(const std::string& key, TUnitQuestion kind) {
    return fHost.Ask(key, kind) == TUnitAnswer::Yes;
  }
  bool Edit() { return fHost.Edit(*fDravik, fPasName); }

  void Create() {
    if (!Yes("CreateMultilingualUnit", TUnitQuestion::Confirm)) return;
    fResult.ResID = NewResourceID();
    const bool sourceOk = fSourceRead && ModifySourceCode(fParser, fResult.ResID);
    if (!sourceOk && !Yes("ESyntaxError Continue", TUnitQuestion::Continue)) return;
    if (sourceOk) {
      fResult.SourceWritten = fResult.UnitLoadsFile = fHost.WriteSource(fPasName, fParser.Source);
      if (!fResult.SourceWritten && !Yes("ESourceWriteError Continue", TUnitQuestion::Continue))
        return;
    }
    Edit();
    Save();
  }

  void Open() {
    const TFileAccess access = LanguageFileAccess(fLngName);
    if (access == TFileAccess::Unavailable) {
      fHost.Ask("ELangFileError", TUnitQuestion::Report);
      return;
    }
    const bool readOnly = access == TFileAccess::ReadOnly;
    if (readOnly && !Yes("ELangFileError ReadOnly Continue", TUnitQuestion::Continue)) return;
    bool restored = false;
    fResult.UnitLoadsFile = fSourceRead && GetResIDFromSource(fParser, fResult.ResID);
    if (fSourceRead && !fResult.UnitLoadsFile) {
      switch (fHost.Ask("EStatementNotFound Restore", TUnitQuestion::Choose)) {
        case TUnitAnswer::Cancel:
          return;
        case TUnitAnswer::No:
          break;
        case TUnitAnswer::Yes:
          if (readOnly) {
            if (!Yes("ERestoreError ReadOnly Continue", TUnitQuestion::Continue)) return;
            break;
          }
          restored = Restore();
          if (!restored && !Yes("ERestoreError Continue", TUnitQuestion::Continue)) return;
      }
    }
    try {
      ReadUnitLanguageFile(fLngName, *fDravik);
    } catch (const std::exception&) {
      fHost.Ask("EReadError", TUnitQuestion::Report);
      return;
    }
    if (Edit() || restored)
      Save();
    else
      fResult.Finished = true;
  }

  // The lines under a new ID; the ID is kept only when the unit holds it.
  bool Restore() {
    const std::string resID = NewResourceID();
    if (!ModifySourceCode(fParser, resID) || !fHost.WriteSource(fPasName, fParser.Source))
      return false;
    fResult.ResID = resID;
    fResult.SourceWritten = fResult.UnitLoadsFile = true;
    return true;
  }

  void Save() {
    // Without an ID from the unit the file keeps the name it had, not an empty one.
    if (fResult.ResID.empty()) fResult.ResID = UnitLanguageFileResID(fLngName);
    for (;;) {
      if (LanguageFileAccess(fLngName) == TFileAccess::ReadOnly) {
        if (!Yes("ESaveError ReadOnly Reopen", TUnitQuestion::Continue)) return;
        Edit();
        continue;
      }
      try {
        WriteUnitLanguageFile(fLngName, fResult.ResID, *fDravik);
        fResult.LanguageFileWritten = fResult.Finished = true;
        return;
      } catch (const std::exception&) {
        if (!Yes("EWriteError Reopen", TUnitQuestion::Continue)) return;
        Edit();
      }
    }
  }

  const TUnitCommandHost& fHost;
  const std::string fPasName;
  const std::string fLngName;
  TSourceParser fParser{""};
  TComponentPtr<TDravik> fDravik;
  bool fSourceRead = false;
  TUnitCommandResult fResult;
};

}  // namespace

TUnitCommandResult ExecuteUnitCommand(const std::string& fileName, const TUnitCommandHost& host) {
  return TUnitCommand(fileName, host).Run();
}

}  // namespace dravik
