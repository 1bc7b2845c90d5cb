#pragma once
// The configuration store: persists chosen published properties of the components of its owner
// form (column widths, fonts, check boxes, texts), the owner's window state and the properties
// of an object the program supplies, in one section of an INI file or under a registry key, and
// restores them. The properties are chosen with a component entry tree, streamed with the form
// as "Entries".
//
// A load that fails leaves the defaults (GetDefaults) in place of half-read values, and a save
// that fails leaves the file as it was: both are reported (a message when ShowLoadError /
// ShowSaveError is set, then OnLoadError / OnSaveError) and go no further.

#include <functional>
#include <memory>
#include <string>

#include "library/ExComponent.h"
#include "library/ExIniFile.h"
#include "platform/core/typinfo/Method.h"

namespace dravik {

class TComponentEntries;
class TPropertyEntry;
class TSuperForm;

enum TConfigMode { cmFile, cmRegistry };
const TTypeInfo& TypeInfoFor(TConfigMode);
// Mapped in this order onto HKEY_CLASSES_ROOT ... HKEY_DYN_DATA.
enum TRegistryKey {
  rkClassesRoot,
  rkCurrentUser,
  rkLocalMachine,
  rkUsers,
  rkPerformanceData,
  rkCurrentConfig,
  rkDynData
};
const TTypeInfo& TypeInfoFor(TRegistryKey);
enum TInternalStatus { isNone, isLoading, isSaving };

using TCheckValuesEvent = TEvent<"TCheckValuesEvent", TObject* /*Sender*/, bool& /*OK*/>;
using TGetInstanceEvent =
    TEvent<"TGetInstanceEvent", TObject* /*Sender*/, TPersistent*& /*Instance*/>;
using TConfigFileEvent = TEvent<"TConfigFileEvent", TObject* /*Sender*/, TExIniFile* /*IniFile*/>;
using TComponentQueryEvent = TEvent<"TComponentQueryEvent", TObject* /*Sender*/,
                                    TComponent* /*Component*/, bool& /*DoHandle*/>;

class TCustomConfigFile : public TExComponent {
 public:
  static constexpr const char* kDefaultRegistryPath = "Software\\Quelt GbR\\MyApplication";
  static constexpr const char* kDefaultLoadErrorText = "Configuration file could not be loaded.";
  static constexpr const char* kDefaultSaveErrorText = "Configuration file could not be saved.";

  explicit TCustomConfigFile(TComponent* owner);
  ~TCustomConfigFile() override;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // Every entry, the persistent instance and the form state; LoadComponentState and
  // SaveComponentState the entries of one component only.
  virtual void Load();
  virtual void Save();
  virtual void LoadComponentState(TComponent* component);
  virtual void SaveComponentState(TComponent* component);

  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;
  void Loaded() override;

  TComponentEntries* Entries() const { return fEntries.get(); }
  // The owner when it is a form of the library's form base.
  TSuperForm* SuperForm() const { return fSuperForm; }
  TInternalStatus Status() const { return fStatus; }
  // Why the last load or save failed; empty after one that succeeded.
  const std::string& LastError() const { return fLastError; }
  // The file used in file mode: FileName, else the program's name with ".cfg".
  std::string ConfigFileName() const;
  // Section, else the owner's class name.
  std::string SectionName() const;

  bool AutoLoad() const { return fAutoLoad; }
  void SetAutoLoad(bool value) { fAutoLoad = value; }
  const std::string& FileName() const { return fFileName; }
  void SetFileName(const std::string& value) { fFileName = value; }
  int32_t HintPosition() const { return fHintPosition; }
  void SetHintPosition(int32_t value) { fHintPosition = value; }
  bool HintsEnabled() const { return fHintsEnabled; }
  void SetHintsEnabled(bool value) { fHintsEnabled = value; }
  TConfigMode Mode() const { return fMode; }
  void SetMode(TConfigMode value) { fMode = value; }
  const std::string& RegistryPath() const { return fRegistryPath; }
  void SetRegistryPath(const std::string& value) { fRegistryPath = value; }
  TRegistryKey RegistryRoot() const { return fRegistryRoot; }
  void SetRegistryRoot(TRegistryKey value) { fRegistryRoot = value; }
  bool SaveSuperFormState() const { return fSaveSuperFormState; }
  // Refused unless the owner is a TSuperForm (not checked while the form is read).
  void SetSaveSuperFormState(bool value);
  const std::string& Section() const { return fSection; }
  void SetSection(const std::string& value) { fSection = value; }
  const std::string& LoadErrorCaption() const { return fLoadErrorCaption; }
  void SetLoadErrorCaption(const std::string& value) { fLoadErrorCaption = value; }
  const std::string& SaveErrorCaption() const { return fSaveErrorCaption; }
  void SetSaveErrorCaption(const std::string& value) { fSaveErrorCaption = value; }
  const std::string& LoadErrorText() const { return fLoadErrorText; }
  void SetLoadErrorText(const std::string& value) { fLoadErrorText = value; }
  const std::string& SaveErrorText() const { return fSaveErrorText; }
  void SetSaveErrorText(const std::string& value) { fSaveErrorText = value; }
  bool ShowLoadError() const { return fShowLoadError; }
  void SetShowLoadError(bool value) { fShowLoadError = value; }
  bool ShowSaveError() const { return fShowSaveError; }
  void SetShowSaveError(bool value) { fShowSaveError = value; }

  TCheckValuesEvent OnCheckValues;
  TNotifyEvent OnGetDefaults;
  TGetInstanceEvent OnGetInstance;
  TConfigFileEvent BeforeLoad, AfterLoad, BeforeSave, AfterSave;
  TComponentQueryEvent OnLoadComponentQuery, OnSaveComponentQuery;
  TNotifyEvent OnLoadError, OnSaveError;  // not published

 protected:
  virtual bool CheckValues();
  virtual TPersistent* GetInstance();
  virtual void TriggerAfterLoad(TExIniFile* iniFile);
  virtual void TriggerAfterSave(TExIniFile* iniFile);
  virtual void TriggerBeforeLoad(TExIniFile* iniFile);
  virtual void TriggerBeforeSave(TExIniFile* iniFile);
  virtual void GetDefaults();

  bool IsRegistryPathStored() const { return fRegistryPath != kDefaultRegistryPath; }
  bool IsLoadErrorTextStored() const { return fLoadErrorText != kDefaultLoadErrorText; }
  bool IsSaveErrorTextStored() const { return fSaveErrorText != kDefaultSaveErrorText; }

 private:
  void LoadEntries(TComponent* only);
  void SaveEntries(TComponent* only);
  // False, after reporting it, when a load or save is running already.
  bool Enter(TInternalStatus requested);
  std::unique_ptr<TExIniFile> OpenIniFile(bool forSaving) const;
  // Each property key ("Component.Path") of the entries of the components query lets through
  // (only one component when only is given).
  void ForEachEntryKey(
      TComponent* only, const TComponentQueryEvent& query,
      const std::function<void(const std::string& key, TPropertyEntry& prop)>& proc);
  void ReadEntries(TExIniFile& ini, TComponent* only);
  void WriteEntries(TExIniFile& ini, TComponent* only);
  void ReadInstance(TExIniFile& ini, TPersistent& instance);
  void WriteInstance(TExIniFile& ini, TPersistent& instance);
  void ReportFailure(TInternalStatus operation, const std::string& reason);
  std::string KeyPrefix(const TComponent* component) const;
  std::string FormStateKey() const;
  // The design-time placeholder that opens the store's editor; holds nothing.
  TComponent* ConfigFilePlaceholder() const { return nullptr; }
  void SetConfigFilePlaceholder(TComponent*) {}

  std::unique_ptr<TComponentEntries> fEntries;
  TSuperForm* fSuperForm = nullptr;
  TInternalStatus fStatus = isNone;
  std::string fLastError;

  bool fAutoLoad = false;
  std::string fFileName;
  int32_t fHintPosition = 49;
  bool fHintsEnabled = true;
  TConfigMode fMode = cmFile;
  std::string fRegistryPath = kDefaultRegistryPath;
  TRegistryKey fRegistryRoot = rkLocalMachine;
  bool fSaveSuperFormState = false;
  std::string fSection;
  std::string fLoadErrorCaption, fSaveErrorCaption;
  std::string fLoadErrorText = kDefaultLoadErrorText;
  std::string fSaveErrorText = kDefaultSaveErrorText;
  bool fShowLoadError = false;
  bool fShowSaveError = true;
};

// The store with its properties and events published.
class TConfigFile : public TCustomConfigFile {
 public:
  using TCustomConfigFile::TCustomConfigFile;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

}  // namespace dravik
