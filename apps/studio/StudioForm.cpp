#include "apps/studio/StudioForm.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFileDialog>
#include <QScrollArea>
#include <QTextEdit>
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "apps/studio/DesignedForm.h"
#include "apps/studio/FormView.h"
#include "apps/studio/SourceText.h"
#include "platform/core/classes/ScopeExit.h"
#include "platform/core/classes/UpdateScope.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ide/DesignPackage.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "runtime/ui/DravikModule.h"
#include "widgets/ConfigFile.h"
#include "widgets/MsgDlg.h"

namespace dravik {

// The form designer of the form in view.
class TStudioForm::TDesigner : public TFormDesigner {
 public:
  explicit TDesigner(TStudioForm& studio) : fStudio(studio) {}
  TComponent* Root() const override { return fStudio.fForm; }
  void Modified() override { fStudio.FormChanged(); }

 private:
  TStudioForm& fStudio;
};

const TClassRecord& TStudioForm::StaticClass() {
  using T = TStudioForm;
  static const TClassRecord& record = TClassBuilder<T, TForm>("TStudioForm", "Studio")
                                          .Method<&T::ProjectTreeChange>("ProjectTreeChange")
                                          .Method<&T::ComponentTreeChange>("ComponentTreeChange")
                                          .Method<&T::InspectorChange>("InspectorChange")
                                          .Method<&T::ValueBoxChange>("ValueBoxChange")
                                          .Method<&T::ValueBoxKeyDown>("ValueBoxKeyDown")
                                          .Method<&T::DialogClick>("DialogClick")
                                          .Method<&T::PageBoxChange>("PageBoxChange")
                                          .Method<&T::AddClick>("AddClick")
                                          .Method<&T::DeleteClick>("DeleteClick")
                                          .Method<&T::OpenClick>("OpenClick")
                                          .Method<&T::SaveClick>("SaveClick")
                                          .Method<&T::ExitClick>("ExitClick")
                                          .Method<&T::EnglishClick>("EnglishClick")
                                          .Method<&T::GermanClick>("GermanClick")
                                          .Method<&T::StudioCloseQuery>("StudioCloseQuery")
                                          .Build();
  return record;
}
static const TClassRegistration kFormRegistration(TStudioForm::StaticClass());

void TStudioForm::AfterConstruction() {
  TForm::AfterConstruction();
  // The window is read before the host starts, so that it is no designed form itself.
  fHost = std::make_unique<TProjectHost>(ReadDesignedForm);
  fDesigner = std::make_unique<TDesigner>(*this);
  fHost->OnBufferChanged = [this](int module) { BufferChanged(module); };
  fHost->OnShowForm = [this](int module) { SelectModule(module); };
  fHost->OnMenuChanged = [this] { MenuChanged(); };
  // An expert drops its component on the form it showed, which is the current one.
  fHost->OnCreateComponent = [this](int module, const std::string& typeName, int left, int top,
                                    int width, int height) -> TComponent* {
    if (module != fHost->CurrentModule()) SelectModule(module);
    return DropComponent(typeName, left, top, std::pair(width, height));
  };
  // The host's menus match the window's, so an expert's item goes where it asked.
  TMenuItem* top = Menu()->Items();
  for (int i = 0; i < top->Count(); ++i) fHost->AddMenu(top->Items(i)->Name());

  HandleNeeded();
  auto* panel = FindOwned<TPanel>(this, "ViewPanel");
  auto* scroll = new QScrollArea(panel->Widget());
  fView = new TFormView(scroll);
  scroll->setWidget(fView);
  scroll->setWidgetResizable(true);
  auto* layout = new QVBoxLayout(panel->Widget());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll);
  fView->OnSelect = [this](TComponent* component) { SelectComponent(component); };
  fView->OnEdit = [this](TComponent* component) {
    SelectComponent(component);
    EditSelected();
  };
  fView->OnContextMenu = [this](TComponent*, QPoint pos) { PopupVerbs(pos.x(), pos.y()); };

  auto* source = static_cast<QTextEdit*>(SourcePane()->Widget());
  QObject::connect(source, &QTextEdit::textChanged, [this] { SourceEdited(); });
  Dravik()->OnChange = TNotifyEvent::Of<&TStudioForm::LanguageChanged>(this);
  ShowCaption();
}

TStudioForm::TStudioForm(TComponent* owner) : TForm(owner) {}
TStudioForm::~TStudioForm() = default;

void TStudioForm::BeforeDestruction() {
  FindOwned<TConfigFile>(this, "ConfigLang")->Save();
  fView = nullptr;
  // The designed forms go before the window's controls that show them, and the package's text
  // module with the host it belongs to.
  fForm = fSelected = nullptr;
  FreeDravikModule();
  fHost->OnBufferChanged = nullptr;
  fHost->OnShowForm = nullptr;
  fHost->OnMenuChanged = nullptr;
  fHost->OnCreateComponent = nullptr;
  fHost.reset();
  TForm::BeforeDestruction();
}

TDravik* TStudioForm::Dravik() const {
  return FindOwned<TDravik>(this, "Dravik");
}
TMemo* TStudioForm::SourcePane() const {
  return FindOwned<TMemo>(this, "Source");
}
TMemo* TStudioForm::Messages() const {
  return FindOwned<TMemo>(this, "Messages");
}
TComboBox* TStudioForm::ValueBox() const {
  return FindOwned<TComboBox>(this, "ValueBox");
}
TComboBox* TStudioForm::ClassBox() const {
  return FindOwned<TComboBox>(this, "ClassBox");
}
TComboBox* TStudioForm::PageBox() const {
  return FindOwned<TComboBox>(this, "PageBox");
}
TMenuItem* TStudioForm::ToolsMenu() const {
  return FindOwned<TMenuItem>(this, "ToolsMenu");
}
TTreeView* TStudioForm::ProjectTree() const {
  return FindOwned<TTreeView>(this, "ProjectTree");
}
TTreeView* TStudioForm::ComponentTree() const {
  return FindOwned<TTreeView>(this, "ComponentTree");
}
TListView* TStudioForm::Inspector() const {
  return FindOwned<TListView>(this, "Inspector");
}

void TStudioForm::AddMessage(const std::string& line) {
  Messages()->Lines()->Add(line);
}

void TStudioForm::Report(const std::exception& e) {
  const auto* error = dynamic_cast<const Exception*>(&e);
  AddMessage(error ? error->Message() : e.what());
}

std::vector<std::string> TStudioForm::LoadPackages(const std::vector<std::string>& files) {
  std::vector<std::string> loaded;
  for (const std::string& file : files) {
    const std::string failure = LoadDesignPackage(file);
    if (failure.empty()) {
      loaded.push_back(file);
      continue;
    }
    std::cerr << "dravik-studio: " << failure << "\n";
    AddMessage(failure);
  }
  const auto filling = SetForScope(fFilling, true);
  TStrings* pages = PageBox()->Items();
  pages->Clear();
  for (const TDesignRegistry::TPalettePage& page : fHost->Registry().Pages()) pages->Add(page.Name);
  if (pages->Count() > 0) SelectPalettePage(pages->Strings(0));
  return loaded;
}

void TStudioForm::SelectPalettePage(const std::string& page) {
  const auto filling = SetForScope(fFilling, true);
  const int index = PageBox()->Items()->IndexOf(page);
  PageBox()->SetItemIndex(index);
  TStrings* classes = ClassBox()->Items();
  classes->Clear();
  if (index >= 0)
    for (const TClassRecord* c : fHost->Registry().Pages()[index].Classes) classes->Add(c->Name());
  ClassBox()->SetItemIndex(classes->Count() > 0 ? 0 : -1);
}

void TStudioForm::OpenFolder(const std::string& folder) {
  fForm = fSelected = nullptr;
  fView->ShowForm(nullptr);
  fHost->OpenFolder(folder);
  FillModules();
  ShowCaption();
  SelectModule(fHost->Modules().empty() ? -1 : 0);
}

void TStudioForm::FillModules() {
  const auto filling = SetForScope(fFilling, true);
  TTreeView* tree = ProjectTree();
  tree->BeginUpdate();
  tree->Clear();
  for (const TProjectModule& module : fHost->Modules()) {
    TTreeNode* node = tree->AddChild(nullptr, module.Name);
    for (const std::string* file : {&module.UnitFile, &module.FormFile})
      if (!file->empty()) tree->AddChild(node, std::filesystem::path(*file).filename().string());
    node->SetExpanded(true);
  }
  tree->EndUpdate();
}

void TStudioForm::SelectModule(int module) {
  fHost->SetCurrentModule(module);
  fForm = fSelected = nullptr;
  if (module >= 0) {
    try {
      fForm = fHost->Form(module);
    } catch (const Exception& e) {
      AddMessage(fHost->Modules()[module].FormFile + ": " + e.Message());
    }
    const auto filling = SetForScope(fFilling, true);
    TTreeNode* node = ProjectTree()->TopItem(module);
    TTreeNode* selected = ProjectTree()->Selected();
    if (!selected || (selected != node && selected->Parent() != node))
      ProjectTree()->SetSelected(node);
  }
  fView->ShowForm(fForm);
  FillComponents();
  SelectComponent(fForm);
  ShowSource();
}

void TStudioForm::FillComponents() {
  const auto filling = SetForScope(fFilling, true);
  TTreeView* tree = ComponentTree();
  tree->BeginUpdate();
  tree->Clear();
  if (fForm) {
    TTreeNode* root = tree->AddChild(nullptr, fForm->Name() + ": " + fForm->ClassName());
    root->SetData(fForm);
    for (int i = 0; i < fForm->ComponentCount(); ++i) {
      TComponent* component = fForm->Components(i);
      tree->AddChild(root, component->Name() + ": " + component->ClassName())->SetData(component);
    }
    root->SetExpanded(true);
  }
  tree->EndUpdate();
}

void TStudioForm::SelectComponent(TComponent* component) {
  fSelected = component;
  fView->SetSelected(component);
  {
    const auto filling = SetForScope(fFilling, true);
    TTreeView* tree = ComponentTree();
    TTreeNode* node = nullptr;
    for (int i = 0; i < tree->TopCount(); ++i) {
      TTreeNode* root = tree->TopItem(i);
      if (root->Data() == component) node = root;
      for (int j = 0; j < root->Count(); ++j)
        if (root->Item(j)->Data() == component) node = root->Item(j);
    }
    // The tree makes its items anew on a selection: never while the developer's click on one
    // is still being told.
    if (node != tree->Selected()) tree->SetSelected(node);
  }
  FillInspector();
}

void TStudioForm::FillInspector() {
  const std::string row =
      fRow >= 0 && fRow < static_cast<int>(fRows.size()) ? fRows[fRow].Name : "";
  fRows.clear();
  if (fSelected) {
    try {
      fRows = dravik::InspectorRows(fHost->Registry(), fDesigner.get(), *fSelected);
    } catch (const Exception& e) {
      Report(e);
    }
  }
  {
    const auto filling = SetForScope(fFilling, true);
    TListItems* items = Inspector()->Items();
    TUpdateScope update(*items);
    items->Clear();
    for (const TInspectorRow& r : fRows) {
      TListItem* item = items->Add();
      item->SetCaption(r.Name);
      item->SubItems()->Add(r.Dialog ? r.Value + "  ..." : r.Value);
    }
  }
  fRow = -1;
  SelectProperty(row);
}

void TStudioForm::SelectProperty(const std::string& name) {
  auto found = std::find_if(fRows.begin(), fRows.end(),
                            [&](const TInspectorRow& r) { return SameText(r.Name, name); });
  fRow = found == fRows.end() ? -1 : static_cast<int>(found - fRows.begin());
  const auto filling = SetForScope(fFilling, true);
  Inspector()->SetItemIndex(fRow);
  TComboBox* box = ValueBox();
  TStrings* values = box->Items();
  values->Clear();
  auto* button = FindOwned<TButton>(this, "DialogButton");
  if (fRow < 0) {
    box->SetText("");
    box->SetEnabled(false);
    button->SetEnabled(false);
    return;
  }
  const TInspectorRow& row = fRows[fRow];
  for (const std::string& value : row.Values) values->Add(value);
  box->SetItemIndex(values->IndexOf(row.Value));
  box->SetText(row.Value);
  box->SetEnabled(!row.ReadOnly);
  button->SetEnabled(row.Dialog);
}

bool TStudioForm::SetPropertyValue(const std::string& text) {
  if (!fSelected || fRow < 0) return false;
  const std::string name = fRows[fRow].Name;
  try {
    SetInspectorValue(fHost->Registry(), fDesigner.get(), *fSelected, name, text);
  } catch (const Exception& e) {
    Report(e);
    FillInspector();
    return false;
  }
  FormChanged();
  return true;
}

void TStudioForm::PropertyDialog() {
  if (!fSelected || fRow < 0) return;
  try {
    EditInspectorValue(fHost->Registry(), fDesigner.get(), *fSelected, fRows[fRow].Name);
  } catch (const Exception& e) {
    Report(e);
  }
  FillInspector();
}

std::vector<std::string> TStudioForm::Verbs() {
  std::vector<std::string> verbs;
  if (!fSelected) return verbs;
  std::unique_ptr<TComponentEditor> editor =
      fHost->Registry().CreateComponentEditor(*fSelected, fDesigner.get());
  for (int i = 0; i < editor->GetVerbCount(); ++i) verbs.push_back(editor->GetVerb(i));
  return verbs;
}

void TStudioForm::PopupVerbs(int32_t x, int32_t y) {
  auto* popup = FindOwned<TPopupMenu>(this, "VerbMenu");
  TMenuItem* items = popup->Items();
  while (items->Count() > 0) items->Items(items->Count() - 1)->Free();
  fVerbOf.clear();
  const std::vector<std::string> verbs = Verbs();
  for (std::size_t i = 0; i < verbs.size(); ++i) {
    auto* item = Create<TMenuItem>(this);
    item->SetCaption(verbs[i]);
    item->OnClick = TNotifyEvent::Of<&TStudioForm::VerbClick>(this);
    items->Add(item);
    fVerbOf[item] = static_cast<int>(i);
  }
  if (!verbs.empty()) popup->Popup(x, y);
}

void TStudioForm::ExecuteVerb(int index) {
  if (!fSelected) return;
  try {
    fHost->Registry().CreateComponentEditor(*fSelected, fDesigner.get())->ExecuteVerb(index);
  } catch (const Exception& e) {
    Report(e);
  }
  FillInspector();
}

void TStudioForm::EditSelected() {
  if (!fSelected) return;
  try {
    fHost->Registry().CreateComponentEditor(*fSelected, fDesigner.get())->Edit();
  } catch (const Exception& e) {
    Report(e);
  }
  FillInspector();
}

TComponent* TStudioForm::AddComponent(const std::string& className) {
  if (!fForm) return nullptr;
  // Each new component a little below and beside the one added before, so none hides another.
  const int32_t offset = 8 + 16 * (fForm->ComponentCount() % 12);
  return DropComponent(className, offset, offset, std::nullopt);
}

TComponent* TStudioForm::DropComponent(const std::string& className, int32_t left, int32_t top,
                                       std::optional<std::pair<int32_t, int32_t>> size) {
  if (!fForm) return nullptr;
  const TClassRecord* record = nullptr;
  for (const TDesignRegistry::TPalettePage& page : fHost->Registry().Pages())
    for (const TClassRecord* c : page.Classes)
      if (SameText(c->Name(), className)) record = c;
  if (!record) return nullptr;
  TComponent* added = nullptr;
  try {
    added = AddDesignedComponent(*fForm, *record, left, top);
    if (auto* control = dynamic_cast<TControl*>(added); control && size)
      control->SetBounds(left, top, size->first, size->second);
  } catch (const Exception& e) {
    Report(e);
    return nullptr;
  }
  fHost->FormModified(fHost->CurrentModule());
  fView->ShowForm(fForm);
  FillComponents();
  SelectComponent(added);
  return added;
}

void TStudioForm::DeleteSelected() {
  if (!fSelected || fSelected == fForm) return;
  DeleteDesignedComponent(*fForm, *std::exchange(fSelected, nullptr));
  fHost->FormModified(fHost->CurrentModule());
  fView->ShowForm(fForm);
  FillComponents();
  SelectComponent(fForm);
}

bool TStudioForm::SaveAll() {
  const std::vector<std::string> failures = fHost->Save();
  for (const std::string& failure : failures) AddMessage(failure);
  ShowCaption();
  return failures.empty();
}

void TStudioForm::FormChanged() {
  if (fHost->CurrentModule() >= 0) fHost->FormModified(fHost->CurrentModule());
  fView->ShowForm(fForm);
  fView->SetSelected(fSelected);
  FillComponents();
  FillInspector();
  ShowCaption();
}

void TStudioForm::ShowSource() {
  const int module = fHost->CurrentModule();
  const bool hasUnit = module >= 0 && !fHost->Modules()[module].UnitFile.empty();
  std::string text;
  if (hasUnit) {
    try {
      text = BufferToPane(fHost->UnitText(module));
    } catch (const Exception& e) {
      Report(e);
    }
  }
  const auto filling = SetForScope(fFilling, true);
  auto* pane = static_cast<QTextEdit*>(SourcePane()->Widget());
  pane->setPlainText(QString::fromStdString(text));
  SourcePane()->SetReadOnly(!hasUnit);
}

void TStudioForm::SourceEdited() {
  const int module = fHost->CurrentModule();
  if (fFilling || module < 0 || fHost->Modules()[module].UnitFile.empty()) return;
  const auto* pane = static_cast<QTextEdit*>(SourcePane()->Widget());
  fHost->SetUnitText(module,
                     PaneToBuffer(pane->toPlainText().toStdString(), fHost->UnitText(module)));
  ShowCaption();
}

void TStudioForm::BufferChanged(int module) {
  if (module == fHost->CurrentModule()) ShowSource();
  ShowCaption();
}

void TStudioForm::MenuChanged() {
  for (TMenuItem* item : fToolItems) item->Free();
  fToolItems.clear();
  TMenuItem* top = Menu()->Items();
  const auto& menus = fHost->Menus();
  for (int m = 0; m < top->Count() && m < static_cast<int>(menus.size()); ++m)
    for (const TIdeMenuItem& added : menus[m].Items) {
      if (!(added.Flags & mfVisible)) continue;
      auto* item = Create<TMenuItem>(this);
      item->SetCaption(added.Caption);
      item->SetEnabled(added.Flags & mfEnabled);
      item->SetShortCut(TextToShortCut(added.ShortCut));
      item->SetHint(added.Name);
      item->OnClick = TNotifyEvent::Of<&TStudioForm::ToolClick>(this);
      top->Items(m)->Add(item);
      fToolItems.push_back(item);
    }
}

void TStudioForm::ToolClick(TObject* sender) {
  auto* item = static_cast<TMenuItem*>(sender);
  TIdeMenuItem* added = fHost->GetMainMenu()->FindItem(item->Hint());
  if (!added || !added->OnClick) return;
  try {
    added->OnClick();
  } catch (const Exception& e) {
    Report(e);
  }
}

void TStudioForm::ShowCaption() {
  std::string caption = Dravik()->GetString("Studio");
  if (!fHost || fHost->Folder().empty()) {
    SetCaption(caption);
    return;
  }
  caption += " - " + fHost->Folder();
  if (fHost->Modified()) caption += " *";
  SetCaption(caption);
}

// The choice is the designers' shared setting at once, as the package's windows keep it.
void TStudioForm::LanguageChanged(TObject*) {
  FindOwned<TConfigFile>(this, "ConfigLang")->Save();
  ShowCaption();
}

void TStudioForm::ProjectTreeChange(TObject*) {
  if (fFilling) return;
  TTreeNode* node = ProjectTree()->Selected();
  if (!node) return;
  if (node->Parent()) node = node->Parent();
  if (node->Index() != fHost->CurrentModule()) SelectModule(node->Index());
}

void TStudioForm::ComponentTreeChange(TObject*) {
  if (fFilling) return;
  if (TTreeNode* node = ComponentTree()->Selected())
    SelectComponent(static_cast<TComponent*>(node->Data()));
}

void TStudioForm::InspectorChange(TObject*) {
  if (fFilling) return;
  const int index = Inspector()->ItemIndex();
  SelectProperty(index >= 0 && index < static_cast<int>(fRows.size()) ? fRows[index].Name : "");
}

void TStudioForm::ValueBoxChange(TObject*) {
  if (fFilling) return;
  const int index = ValueBox()->ItemIndex();
  if (index >= 0) SetPropertyValue(ValueBox()->Items()->Strings(index));
}

void TStudioForm::ValueBoxKeyDown(TObject*, uint16_t& key, TShiftState) {
  if (key != 13) return;
  key = 0;
  SetPropertyValue(ValueBox()->ComboWidget()->currentText().toStdString());
}

void TStudioForm::DialogClick(TObject*) {
  PropertyDialog();
}

void TStudioForm::PageBoxChange(TObject*) {
  if (fFilling) return;
  const int index = PageBox()->ItemIndex();
  if (index >= 0) SelectPalettePage(PageBox()->Items()->Strings(index));
}

void TStudioForm::AddClick(TObject*) {
  const int index = ClassBox()->ItemIndex();
  if (index >= 0) AddComponent(ClassBox()->Items()->Strings(index));
}

void TStudioForm::DeleteClick(TObject*) {
  DeleteSelected();
}

void TStudioForm::SaveClick(TObject*) {
  SaveAll();
}

void TStudioForm::ExitClick(TObject*) {
  Close();
}

void TStudioForm::EnglishClick(TObject*) {
  Dravik()->SetLanguage("English");
}

void TStudioForm::GermanClick(TObject*) {
  Dravik()->SetLanguage("Deutsch");
}

void TStudioForm::VerbClick(TObject* sender) {
  auto found = fVerbOf.find(sender);
  if (found != fVerbOf.end()) ExecuteVerb(found->second);
}

bool TStudioForm::ChangesDealtWith() {
  if (!fHost->Modified()) return true;
  const int32_t answer =
      MessageDlg(Dravik()->GetString("SaveChanges"), mtConfirmation, {mbYes, mbNo, mbCancel}, 0);
  return answer == mrNo || (answer == mrYes && SaveAll());
}

void TStudioForm::StudioCloseQuery(TObject*, bool& canClose) {
  canClose = ChangesDealtWith();
}

void TStudioForm::OpenClick(TObject*) {
  if (!ChangesDealtWith()) return;
  const QString folder = QFileDialog::getExistingDirectory(
      Widget(), QString::fromStdString(Dravik()->GetString("OpenFolder")),
      QString::fromStdString(fHost->Folder()));
  if (folder.isEmpty()) return;
  try {
    OpenFolder(folder.toStdString());
  } catch (const Exception& e) {
    Report(e);
  }
}

}  // namespace dravik
