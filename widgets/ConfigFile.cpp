#include "widgets/ConfigFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>

#include "library/ComponentTools.h"
#include "model/ClassInfo.h"
#include "model/ComponentExplorerTools.h"
#include "platform/core/classes/ScopeExit.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "widgets/MsgDlg.h"
#include "widgets/SuperForm.h"

namespace dravik {

namespace {

const TClassRegistration kConfigFile(TConfigFile::StaticClass());

const char* OperationName(TInternalStatus status) {
  return status == isLoading ? "Load" : "Save";
}

const char* Progressive(TInternalStatus status) {
  return status == isLoading ? "loading" : "saving";
}

// A missing or unreadable file fails here, before anything is read.
void CheckReadable(const std::string& fileName) {
  const int handle = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (handle < 0) throw EFOpenError("Cannot open file " + fileName + ": " + std::strerror(errno));
  ::close(handle);
}

// Values a file can hold: object references and method pointers are addresses of this run.
bool IsValueKind(TTypeKind kind) {
  return kind != tkClass && kind != tkMethod && kind != tkUnknown;
}

// A property with an index is kept in the section named after the first non-stored property
// with the same index.
std::string InstanceSection(const TClassRecord& type, const TPropInfo& prop) {
  if (prop.Index != NoIndex)
    for (const TPropInfo* other : type.Props())
      if (other->Index == prop.Index && !other->Stored && !other->StoredFunction)
        return other->Name;
  return "Default Section";
}

// The entry's property entries with their paths below the component ("Columns[2].Width").
void ForEachPath(TComponentEntry& entry,
                 const std::function<void(const std::string&, TPropertyEntry&)>& proc) {
  TStringList paths;
  entry.MoveSubItemsToStrings(true, paths);
  for (int i = 0; i < paths.Count(); ++i)
    proc(paths.Strings(i), *static_cast<TPropertyEntry*>(paths.Objects(i)));
}

}  // namespace

const TTypeInfo& TypeInfoFor(TConfigMode) {
  static const TTypeInfo& info = MakeEnumType("TConfigMode", {"cmFile", "cmRegistry"});
  return info;
}

const TTypeInfo& TypeInfoFor(TRegistryKey) {
  static const TTypeInfo& info =
      MakeEnumType("TRegistryKey", {"rkClassesRoot", "rkCurrentUser", "rkLocalMachine", "rkUsers",
                                    "rkPerformanceData", "rkCurrentConfig", "rkDynData"});
  return info;
}

const TClassRecord& TCustomConfigFile::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TCustomConfigFile, TExComponent>("TCustomConfigFile", "ConfigFile")
          .Property("ConfigFile", &TCustomConfigFile::ConfigFilePlaceholder,
                    &TCustomConfigFile::SetConfigFilePlaceholder)
          .NotStored()
          .Build();
  return record;
}

const TClassRecord& TConfigFile::StaticClass() {
  using T = TCustomConfigFile;
  static const TClassRecord& record =
      TClassBuilder<TConfigFile, TCustomConfigFile>("TConfigFile", "ConfigFile")
          .Property("AutoLoad", &T::AutoLoad, &T::SetAutoLoad)
          .Default(false)
          .Property("FileName", &T::FileName, &T::SetFileName)
          .Property("HintPosition", &T::HintPosition, &T::SetHintPosition)
          .Default(49)
          .Property("HintsEnabled", &T::HintsEnabled, &T::SetHintsEnabled)
          .Default(true)
          .Property("LoadErrorCaption", &T::LoadErrorCaption, &T::SetLoadErrorCaption)
          .Property("LoadErrorText", &T::LoadErrorText, &T::SetLoadErrorText)
          .Stored(&TConfigFile::IsLoadErrorTextStored)
          .Property("Mode", &T::Mode, &T::SetMode)
          .Default(cmFile)
          .Property("RegistryPath", &T::RegistryPath, &T::SetRegistryPath)
          .Stored(&TConfigFile::IsRegistryPathStored)
          .Property("RegistryRoot", &T::RegistryRoot, &T::SetRegistryRoot)
          .Default(rkLocalMachine)
          .Property("SaveErrorCaption", &T::SaveErrorCaption, &T::SetSaveErrorCaption)
          .Property("SaveErrorText", &T::SaveErrorText, &T::SetSaveErrorText)
          .Stored(&TConfigFile::IsSaveErrorTextStored)
          .Property("SaveSuperFormState", &T::SaveSuperFormState, &T::SetSaveSuperFormState)
          .Default(false)
          .Property("Section", &T::Section, &T::SetSection)
          .Property("ShowLoadError", &T::ShowLoadError, &T::SetShowLoadError)
          .Default(false)
          .Property("ShowSaveError", &T::ShowSaveError, &T::SetShowSaveError)
          .Default(true)
          .Event("OnCheckValues", &T::OnCheckValues)
          .Event("OnGetDefaults", &T::OnGetDefaults)
          .Event("OnGetInstance", &T::OnGetInstance)
          .Event("BeforeLoad", &T::BeforeLoad)
          .Event("AfterLoad", &T::AfterLoad)
          .Event("BeforeSave", &T::BeforeSave)
          .Event("AfterSave", &T::AfterSave)
          .Event("OnLoadComponentQuery", &T::OnLoadComponentQuery)
          .Event("OnSaveComponentQuery", &T::OnSaveComponentQuery)
          .Build();
  return record;
}

TCustomConfigFile::TCustomConfigFile(TComponent* owner)
    : TExComponent(owner),
      fEntries(std::make_unique<TComponentEntries>(this, nullptr)),
      fSuperForm(dynamic_cast<TSuperForm*>(owner)) {}

TCustomConfigFile::~TCustomConfigFile() = default;

void TCustomConfigFile::SetSaveSuperFormState(bool value) {
  if (value && !fSuperForm && !ComponentState().Contains(csReading))
    Error(ClassName() +
          ".SaveSuperFormState property not changable: " + "Owner form is not a TSuperForm");
  fSaveSuperFormState = value;
}

void TCustomConfigFile::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TCustomConfigFile*>(source);
  if (!other) {
    TExComponent::Assign(source);
    return;
  }
  fAutoLoad = other->fAutoLoad;
  fFileName = other->fFileName;
  fHintPosition = other->fHintPosition;
  fHintsEnabled = other->fHintsEnabled;
  fMode = other->fMode;
  fRegistryPath = other->fRegistryPath;
  fRegistryRoot = other->fRegistryRoot;
  if (fSuperForm) fSaveSuperFormState = other->fSaveSuperFormState;
  fSection = other->fSection;
  fLoadErrorCaption = other->fLoadErrorCaption;
  fSaveErrorCaption = other->fSaveErrorCaption;
  fLoadErrorText = other->fLoadErrorText;
  fSaveErrorText = other->fSaveErrorText;
  fShowLoadError = other->fShowLoadError;
  fShowSaveError = other->fShowSaveError;
  OnCheckValues = other->OnCheckValues;
  OnGetDefaults = other->OnGetDefaults;
  OnGetInstance = other->OnGetInstance;
  BeforeLoad = other->BeforeLoad;
  AfterLoad = other->AfterLoad;
  BeforeSave = other->BeforeSave;
  AfterSave = other->AfterSave;
  OnLoadComponentQuery = other->OnLoadComponentQuery;
  OnSaveComponentQuery = other->OnSaveComponentQuery;
}

void TCustomConfigFile::DefineProperties(TFiler& filer) {
  TExComponent::DefineProperties(filer);
  filer.DefineProperty(
      "Entries",
      [this](TReader& reader) {
        fEntries->Clear();
        if (reader.ReadValue() != vaCollection) throw EReadError("Collection expected");
        reader.ReadCollection(*fEntries);
      },
      [this](TWriter& writer) { writer.WriteCollection(*fEntries); }, fEntries->Count() > 0);
}

void TCustomConfigFile::Loaded() {
  TExComponent::Loaded();
  if (!fSuperForm) fSaveSuperFormState = false;
  fEntries->RefreshProps();
  if (fAutoLoad && !IsDesigning()) Load();
}

std::string TCustomConfigFile::ConfigFileName() const {
  if (!fFileName.empty()) return fFileName;
  std::string name = GetExeName();
  const std::size_t slash = name.rfind('/');
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) name.erase(dot);
  return name + ".cfg";
}

std::string TCustomConfigFile::SectionName() const {
  if (!fSection.empty()) return fSection;
  return Owner() ? Owner()->ClassName() : ClassName();
}

std::string TCustomConfigFile::KeyPrefix(const TComponent* component) const {
  if (component == Owner()) return component->ClassName().substr(1);
  return component->Name();
}

std::string TCustomConfigFile::FormStateKey() const {
  return fSuperForm->ClassName().substr(1);
}

bool TCustomConfigFile::CheckValues() {
  bool ok = true;
  if (OnCheckValues.Assigned()) OnCheckValues(this, ok);
  return ok;
}

TPersistent* TCustomConfigFile::GetInstance() {
  TPersistent* instance = nullptr;
  if (OnGetInstance.Assigned()) OnGetInstance(this, instance);
  return instance;
}

void TCustomConfigFile::TriggerAfterLoad(TExIniFile* iniFile) {
  if (AfterLoad.Assigned()) AfterLoad(this, iniFile);
}

void TCustomConfigFile::TriggerAfterSave(TExIniFile* iniFile) {
  if (AfterSave.Assigned()) AfterSave(this, iniFile);
}

void TCustomConfigFile::TriggerBeforeLoad(TExIniFile* iniFile) {
  if (BeforeLoad.Assigned()) BeforeLoad(this, iniFile);
}

void TCustomConfigFile::TriggerBeforeSave(TExIniFile* iniFile) {
  if (BeforeSave.Assigned()) BeforeSave(this, iniFile);
}

void TCustomConfigFile::GetDefaults() {
  if (OnGetDefaults.Assigned()) OnGetDefaults(this);
}

void TCustomConfigFile::Load() {
  LoadEntries(nullptr);
}

void TCustomConfigFile::Save() {
  SaveEntries(nullptr);
}

void TCustomConfigFile::LoadComponentState(TComponent* component) {
  if (component) LoadEntries(component);
}

void TCustomConfigFile::SaveComponentState(TComponent* component) {
  if (component) SaveEntries(component);
}

// A request while a load or save runs is reported like a failure of its own kind; the running
// operation keeps its file, its status and its values.
bool TCustomConfigFile::Enter(TInternalStatus requested) {
  if (fStatus == isNone) return true;
  ReportFailure(requested, ClassName() + ": Invalid reentrance. " + OperationName(requested) +
                               " request while " + Progressive(fStatus) + " not possible. " +
                               "Change your conception");
  return false;
}

std::unique_ptr<TExIniFile> TCustomConfigFile::OpenIniFile(bool forSaving) const {
  // What cannot be read of a damaged file stops a load; a save writes a sound file over it.
  const TDamagedFile damaged = forSaving ? TDamagedFile::Repair : TDamagedFile::Refuse;
  std::unique_ptr<TExIniFile> ini;
  if (fMode == cmRegistry) {
    ini = TExIniFile::CreateInRegistry(HKEY_CLASSES_ROOT + static_cast<HKEY>(fRegistryRoot),
                                       forSaving, fRegistryPath, damaged);
  } else {
    ini = std::make_unique<TExIniFile>(ConfigFileName(), damaged);
  }
  ini->SetWriteBack(!forSaving);
  ini->SetHintsEnabled(fHintsEnabled);
  ini->SetHintPosition(fHintPosition);
  ini->BeginUpdate();
  return ini;
}

void TCustomConfigFile::LoadEntries(TComponent* only) {
  if (!Enter(isLoading)) return;
  auto status = SetForScope(fStatus, isLoading);
  fLastError.clear();
  const bool full = only == nullptr;
  fEntries->RefreshProps();
  TPersistent* instance = GetInstance();
  if (full) GetDefaults();
  std::unique_ptr<TExIniFile> ini;
  try {
    if (fMode == cmFile) CheckReadable(ConfigFileName());
    ini = OpenIniFile(false);
    std::exception_ptr failure;
    try {
      TriggerBeforeLoad(ini.get());
      if (full && fSaveSuperFormState && fSuperForm &&
          ini->ValueExists(SectionName(), FormStateKey())) {
        const std::string state = ini->ReadString(SectionName(), FormStateKey(), "");
        if (!state.empty()) fSuperForm->SetWindowStateData(state);
      }
      ReadEntries(*ini, only);
      if (full && instance) ReadInstance(*ini, *instance);
      if (full && !CheckValues()) throw EStreamError(ClassName() + ".CheckValues failed");
    } catch (...) {
      failure = std::current_exception();
    }
    TriggerAfterLoad(ini.get());
    if (failure) std::rethrow_exception(failure);
    ini->EndUpdate();  // the keys read for the first time
  } catch (const std::exception& e) {
    ini.reset();  // drops the keys it held for writing back
    ReportFailure(isLoading, e.what());
    if (full) GetDefaults();
  }
}

void TCustomConfigFile::SaveEntries(TComponent* only) {
  if (!Enter(isSaving)) return;
  auto status = SetForScope(fStatus, isSaving);
  fLastError.clear();
  const bool full = only == nullptr;
  fEntries->RefreshProps();
  TPersistent* instance = GetInstance();
  std::unique_ptr<TExIniFile> ini;
  try {
    ini = OpenIniFile(true);
    std::exception_ptr failure;
    try {
      TriggerBeforeSave(ini.get());
      if (full && fSaveSuperFormState && fSuperForm)
        ini->WriteString(SectionName(), FormStateKey(), fSuperForm->GetWindowStateData());
      WriteEntries(*ini, only);
      if (full && instance) WriteInstance(*ini, *instance);
    } catch (...) {
      failure = std::current_exception();
    }
    TriggerAfterSave(ini.get());
    if (failure) std::rethrow_exception(failure);
    ini->EndUpdate();  // all of it in one replacement of the file
  } catch (const std::exception& e) {
    ini.reset();  // drops what it held: the file stays as it was
    ReportFailure(isSaving, e.what());
  }
}

void TCustomConfigFile::ForEachEntryKey(
    TComponent* only, const TComponentQueryEvent& query,
    const std::function<void(const std::string& key, TPropertyEntry& prop)>& proc) {
  for (int i = 0; i < fEntries->Count(); ++i) {
    TComponentEntry* entry = fEntries->Items(i);
    TComponent* component = entry->Ref();
    if (!component || (only && component != only)) continue;
    bool handle = true;
    if (query.Assigned()) query(this, component, handle);
    if (!handle) continue;
    const std::string prefix = KeyPrefix(component) + ".";
    ForEachPath(*entry,
                [&](const std::string& path, TPropertyEntry& prop) { proc(prefix + path, prop); });
  }
}

void TCustomConfigFile::ReadEntries(TExIniFile& ini, TComponent* only) {
  const std::string section = SectionName();
  ForEachEntryKey(only, OnLoadComponentQuery, [&](const std::string& key, TPropertyEntry& prop) {
    const Variant value = prop.GetValue();
    if (value.IsNull()) return;  // no longer bound to a property
    const std::string current = VarToStr(value);
    const std::string stored = ini.ReadString(section, key, current);
    if (stored != current) prop.SetValue(Variant(stored));
  });
}

void TCustomConfigFile::WriteEntries(TExIniFile& ini, TComponent* only) {
  const std::string section = SectionName();
  ForEachEntryKey(only, OnSaveComponentQuery, [&](const std::string& key, TPropertyEntry& prop) {
    const Variant value = prop.GetValue();
    if (!value.IsNull()) ini.WriteStringEx(section, key, VarToStr(value), prop.GetTypDef());
  });
}

void TCustomConfigFile::ReadInstance(TExIniFile& ini, TPersistent& instance) {
  const TClassRecord& type = instance.ClassType();
  for (const TPropInfo* prop : type.Props()) {
    if (!prop->CanRead() || !prop->CanWrite() || !IsValueKind(prop->Kind()) ||
        !IsStoredProp(instance, *prop))
      continue;
    TClassInfo info(&instance, prop);
    const std::string current = VarToStr(info.GetValue());
    info.SetValue(Variant(ini.ReadString(InstanceSection(type, *prop), prop->Name, current)));
  }
}

void TCustomConfigFile::WriteInstance(TExIniFile& ini, TPersistent& instance) {
  const TClassRecord& type = instance.ClassType();
  for (const TPropInfo* prop : type.Props()) {
    if (!prop->CanRead() || !IsValueKind(prop->Kind()) || !IsStoredProp(instance, *prop)) continue;
    TClassInfo info(&instance, prop);
    ini.WriteStringEx(InstanceSection(type, *prop), prop->Name, VarToStr(info.GetValue()),
                      info.TypDef());
  }
}

// The configured text, with the reason beneath it so that the user can act on it.
void TCustomConfigFile::ReportFailure(TInternalStatus operation, const std::string& reason) {
  fLastError = reason;
  const bool loading = operation == isLoading;
  if (loading ? fShowLoadError : fShowSaveError) {
    const std::string& text = loading ? fLoadErrorText : fSaveErrorText;
    Msg(text + "\n\n" + reason, loading ? fLoadErrorCaption : fSaveErrorCaption, mtError, 0,
        {mbOK});
  }
  const TNotifyEvent& handler = loading ? OnLoadError : OnSaveError;
  if (handler.Assigned()) handler(this);
}

}  // namespace dravik
