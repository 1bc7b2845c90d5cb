#include "platform/ide/ProjectHost.h"

#include <algorithm>
#include <cassert>
#include <filesystem>
#include <map>
#include <optional>

#include "platform/core/classes/Component.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/FileStream.h"
#include "platform/core/system/Designing.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace fs = std::filesystem;

struct TProjectHost::TModuleState {
  std::optional<std::string> Buffer;  // read on first use
  bool UnitModified = false;
  std::unique_ptr<THostedForm> Form;
  bool FormModified = false;
};

namespace {

TProjectHost* gHost = nullptr;

std::string ReadBytes(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
  file.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  return bytes;
}

void WriteBytes(const std::string& fileName, const std::string& bytes) {
  TAtomicFileStream file(fileName);
  file.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  file.Commit();
}

// A text file is taken for a form when its first word opens an object.
bool LooksLikeTextForm(const fs::path& path) {
  std::string head;
  try {
    TFileStream file(path.string(), fmOpenRead | fmShareDenyNone);
    head.resize(static_cast<std::size_t>(std::min<int64_t>(file.Size(), 64)));
    file.ReadBuffer(head.data(), static_cast<int64_t>(head.size()));
  } catch (const Exception&) {
    return false;
  }
  const std::string word = LowerCase(TrimLeft(head).substr(0, 10));
  return word.starts_with("object ") || word.starts_with("inherited ") ||
         word.starts_with("inline ");
}

// The form file kinds, the preferred first when a name has several.
int FormRank(const fs::path& path) {
  const std::string ext = LowerCase(path.extension().string());
  if (ext == ".dfm") return 0;
  if (ext == ".lfm") return 1;
  if (ext == ".xfm") return 2;
  if (ext == ".txt") return LooksLikeTextForm(path) ? 3 : -1;
  if (ext == ".res") return 4;
  return -1;
}

}  // namespace

// The editor of one unit's buffer.
class TProjectHost::TReader : public TIEditReader {
 public:
  explicit TReader(std::string text) : fText(std::move(text)) {}
  int GetText(int position, char* buffer, int count) override {
    if (position < 0 || count <= 0 || static_cast<std::size_t>(position) >= fText.size()) return 0;
    const std::size_t n = std::min(fText.size() - static_cast<std::size_t>(position),
                                   static_cast<std::size_t>(count));
    std::copy_n(fText.data() + position, n, buffer);
    return static_cast<int>(n);
  }

 private:
  std::string fText;  // as it was when the reader was made
};

class TProjectHost::TWriter : public TIEditWriter {
 public:
  TWriter(TProjectHost& host, int module)
      : fHost(host), fModule(module), fOld(host.UnitText(module)) {}
  // What the writer did not reach stays; the buffer changes only when something was written.
  ~TWriter() override {
    if (!fChanged) return;
    fNew.append(fOld, fPos, std::string::npos);
    fHost.ReplaceUnitText(fModule, std::move(fNew));
  }
  bool CopyTo(int position) override {
    if (!Reaches(position)) return false;
    fNew.append(fOld, fPos, static_cast<std::size_t>(position) - fPos);
    fPos = static_cast<std::size_t>(position);
    return true;
  }
  bool DeleteTo(int position) override {
    if (!Reaches(position)) return false;
    fChanged = fChanged || static_cast<std::size_t>(position) > fPos;
    fPos = static_cast<std::size_t>(position);
    return true;
  }
  bool Insert(const std::string& text) override {
    fNew += text;
    fChanged = fChanged || !text.empty();
    return true;
  }
  int CurrentPos() const override { return static_cast<int>(fPos); }

 private:
  bool Reaches(int position) const {
    return position >= 0 && static_cast<std::size_t>(position) >= fPos &&
           static_cast<std::size_t>(position) <= fOld.size();
  }
  TProjectHost& fHost;
  int fModule;
  std::string fOld;
  std::string fNew;
  std::size_t fPos = 0;
  bool fChanged = false;
};

class TProjectHost::TEditor : public TIEditorInterface {
 public:
  TEditor(TProjectHost& host, int module) : fHost(host), fModule(module) {}
  std::string FileName() const override { return fHost.fModules[fModule].UnitFile; }
  std::unique_ptr<TIEditReader> CreateReader() override {
    return std::make_unique<TReader>(fHost.UnitText(fModule));
  }
  std::unique_ptr<TIEditWriter> CreateWriter() override {
    return std::make_unique<TWriter>(fHost, fModule);
  }

 private:
  TProjectHost& fHost;
  int fModule;
};

class TProjectHost::TForm : public TIFormInterface {
 public:
  TForm(TProjectHost& host, int module) : fHost(host), fModule(module) {}
  TComponent* GetFormComponent() override {
    try {
      return fHost.Form(fModule);
    } catch (const Exception&) {
      return nullptr;
    }
  }
  void ShowForm() override {
    fHost.SetCurrentModule(fModule);
    if (fHost.OnShowForm) fHost.OnShowForm(fModule);
  }
  void MarkModified() override { fHost.FormModified(fModule); }
  TComponent* CreateComponent(const std::string& typeName, int left, int top, int width,
                              int height) override {
    if (!fHost.OnCreateComponent) return nullptr;
    return fHost.OnCreateComponent(fModule, typeName, left, top, width, height);
  }

 private:
  TProjectHost& fHost;
  int fModule;
};

class TProjectHost::TModule : public TIModuleInterface {
 public:
  TModule(TProjectHost& host, int module) : fHost(host), fModule(module) {}
  std::string FileName() const override {
    const TProjectModule& m = fHost.fModules[fModule];
    return m.UnitFile.empty() ? m.FormFile : m.UnitFile;
  }
  std::unique_ptr<TIEditorInterface> GetEditorInterface() override {
    if (fHost.fModules[fModule].UnitFile.empty()) return nullptr;
    return std::make_unique<TEditor>(fHost, fModule);
  }
  std::unique_ptr<TIFormInterface> GetFormInterface() override {
    if (fHost.fModules[fModule].FormFile.empty()) return nullptr;
    return std::make_unique<TForm>(fHost, fModule);
  }

 private:
  TProjectHost& fHost;
  int fModule;
};

TProjectHost::TProjectHost(TFormReader formReader) : fFormReader(std::move(formReader)) {
  assert(!gHost && "one development-environment host at a time");
  gHost = this;
  SetDesignRegistry(&fRegistry);
  SetToolServices(this);
  SetDesigningHost(true);
}

TProjectHost::~TProjectHost() {
  // Experts and forms go while the host is still there: they may ask for it.
  fRegistry.FreeExperts();
  fStates.clear();
  SetDesigningHost(false);
  SetToolServices(nullptr);
  SetDesignRegistry(nullptr);
  gHost = nullptr;
}

void TProjectHost::OpenFolder(const std::string& folder) {
  std::map<std::string, TProjectModule> byName;  // by lower-case name: one module per name
  std::map<std::string, int> formRank;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (!entry.is_regular_file(error)) continue;
    const fs::path& path = entry.path();
    const std::string name = path.stem().string();
    const std::string key = LowerCase(name);
    if (SameText(path.extension().string(), ".pas")) {
      TProjectModule& module = byName[key];
      module.Name = name;
      module.UnitFile = path.string();
      continue;
    }
    const int rank = FormRank(path);
    if (rank < 0) continue;
    auto known = formRank.find(key);
    if (known != formRank.end() && known->second <= rank) continue;
    formRank[key] = rank;
    TProjectModule& module = byName[key];
    if (module.Name.empty()) module.Name = name;
    module.FormFile = path.string();
  }
  if (error) throw EFOpenError(Format("Cannot open folder %s: %s", {folder, error.message()}));
  fFolder = folder;
  fModules.clear();
  for (auto& [key, module] : byName) fModules.push_back(std::move(module));
  fStates.clear();
  fStates.resize(fModules.size());
  fCurrent = fModules.empty() ? -1 : 0;
}

int TProjectHost::IndexOfFile(const std::string& fileName) const {
  const fs::path wanted = fs::absolute(fileName).lexically_normal();
  for (std::size_t i = 0; i < fModules.size(); ++i)
    for (const std::string* file : {&fModules[i].UnitFile, &fModules[i].FormFile})
      if (!file->empty() && fs::absolute(*file).lexically_normal() == wanted)
        return static_cast<int>(i);
  return -1;
}

const std::string& TProjectHost::UnitText(int module) {
  TModuleState& state = fStates.at(static_cast<std::size_t>(module));
  if (!state.Buffer) {
    const std::string& file = fModules[module].UnitFile;
    state.Buffer = file.empty() ? std::string() : ReadBytes(file);
  }
  return *state.Buffer;
}

void TProjectHost::SetUnitText(int module, std::string text) {
  TModuleState& state = fStates.at(static_cast<std::size_t>(module));
  if (state.Buffer && *state.Buffer == text) return;
  state.Buffer = std::move(text);
  state.UnitModified = true;
}

void TProjectHost::ReplaceUnitText(int module, std::string text) {
  SetUnitText(module, std::move(text));
  if (OnBufferChanged) OnBufferChanged(module);
}

bool TProjectHost::UnitModified(int module) const {
  return fStates.at(static_cast<std::size_t>(module)).UnitModified;
}

TComponent* TProjectHost::Form(int module) {
  TModuleState& state = fStates.at(static_cast<std::size_t>(module));
  const std::string& file = fModules[module].FormFile;
  if (file.empty()) return nullptr;
  if (!state.Form) state.Form = fFormReader(file);
  return state.Form ? state.Form->Root() : nullptr;
}

void TProjectHost::FormModified(int module) {
  fStates.at(static_cast<std::size_t>(module)).FormModified = true;
}

bool TProjectHost::IsFormModified(int module) const {
  return fStates.at(static_cast<std::size_t>(module)).FormModified;
}

bool TProjectHost::Modified() const {
  return std::any_of(fStates.begin(), fStates.end(), [](const TModuleState& state) {
    return state.UnitModified || state.FormModified;
  });
}

std::vector<std::string> TProjectHost::Save() {
  std::vector<std::string> failures;
  for (std::size_t i = 0; i < fModules.size(); ++i) {
    TModuleState& state = fStates[i];
    try {
      if (state.UnitModified) {
        WriteBytes(fModules[i].UnitFile, *state.Buffer);
        state.UnitModified = false;
      }
    } catch (const Exception& e) {
      failures.push_back(e.Message());
    }
    try {
      if (state.FormModified && state.Form) {
        WriteBytes(fModules[i].FormFile, state.Form->FileBytes());
        state.FormModified = false;
      }
    } catch (const Exception& e) {
      failures.push_back(fModules[i].FormFile + ": " + e.Message());
    }
  }
  return failures;
}

std::string TProjectHost::GetProjectName() const {
  return fFolder.empty() ? std::string() : fs::path(fFolder).lexically_normal().string();
}

std::string TProjectHost::GetCurrentFile() const {
  if (fCurrent < 0 || static_cast<std::size_t>(fCurrent) >= fModules.size()) return {};
  const TProjectModule& module = fModules[fCurrent];
  return module.UnitFile.empty() ? module.FormFile : module.UnitFile;
}

int TProjectHost::GetUnitCount() const {
  return static_cast<int>(std::count_if(fModules.begin(), fModules.end(),
                                        [](const auto& m) { return !m.UnitFile.empty(); }));
}

std::string TProjectHost::GetUnitName(int index) const {
  for (const TProjectModule& module : fModules)
    if (!module.UnitFile.empty() && index-- == 0) return module.UnitFile;
  return {};
}

std::unique_ptr<TIModuleInterface> TProjectHost::GetModuleInterface(const std::string& fileName) {
  const int module = IndexOfFile(fileName);
  if (module < 0) return nullptr;
  return std::make_unique<TModule>(*this, module);
}

std::unique_ptr<TIModuleInterface> TProjectHost::GetFormModuleInterface(
    const std::string& formName) {
  for (std::size_t i = 0; i < fModules.size(); ++i) {
    if (fModules[i].FormFile.empty()) continue;
    // A form's name is its root's; the file's name stands in until the form is read.
    const TModuleState& state = fStates[i];
    const std::string name =
        state.Form && state.Form->Root() ? state.Form->Root()->Name() : fModules[i].Name;
    if (SameText(name, formName)) return std::make_unique<TModule>(*this, static_cast<int>(i));
  }
  return nullptr;
}

int TProjectHost::ItemCount(int menuIndex) const {
  if (menuIndex < 0 || menuIndex >= MenuCount()) return 0;
  return static_cast<int>(fMenus[menuIndex].Items.size());
}

bool TProjectHost::InsertItem(int menuIndex, int itemIndex, TIdeMenuItem item) {
  if (menuIndex < 0 || menuIndex >= MenuCount()) return false;
  auto& items = fMenus[menuIndex].Items;
  itemIndex = std::clamp(itemIndex, 0, static_cast<int>(items.size()));
  items.insert(items.begin() + itemIndex, std::move(item));
  if (OnMenuChanged) OnMenuChanged();
  return true;
}

TIdeMenuItem* TProjectHost::FindItem(const std::string& name) {
  for (TTopMenu& menu : fMenus)
    for (TIdeMenuItem& item : menu.Items)
      if (!name.empty() && SameText(item.Name, name)) return &item;
  return nullptr;
}

void TProjectHost::SetItemCaption(const std::string& name, const std::string& caption) {
  if (TIdeMenuItem* item = FindItem(name)) {
    item->Caption = caption;
    if (OnMenuChanged) OnMenuChanged();
  }
}

bool TProjectHost::DeleteItem(const std::string& name) {
  for (TTopMenu& menu : fMenus)
    for (auto it = menu.Items.begin(); it != menu.Items.end(); ++it)
      if (!name.empty() && SameText(it->Name, name)) {
        menu.Items.erase(it);
        if (OnMenuChanged) OnMenuChanged();
        return true;
      }
  return false;
}

}  // namespace dravik
