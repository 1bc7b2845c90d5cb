#include "editor/SuperFormEditor.h"

#include <QWidget>

#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ide/ComponentEditor.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "runtime/ui/DravikModule.h"
#include "widgets/MsgDlg.h"

namespace dravik {

namespace {

// The controls of one limit: "Min" or "Max" before each name.
struct TLimitControls {
  TCheckBox* Enabled;
  TButton* Current;
  TEdit* X;
  TEdit* Y;
};

TLimitControls LimitControls(const TSuperFormEditor& editor, const std::string& prefix) {
  return {FindOwned<TCheckBox>(&editor, prefix + "Enabled"),
          FindOwned<TButton>(&editor, prefix + "Current"), FindOwned<TEdit>(&editor, prefix + "X"),
          FindOwned<TEdit>(&editor, prefix + "Y")};
}

void ShowLimit(const TLimitControls& controls, const TMinMaxInfo& limit) {
  controls.Enabled->SetChecked(limit.Enabled());
  controls.X->SetText(IntToStr(limit.SizeX()));
  controls.Y->SetText(IntToStr(limit.SizeY()));
}

void TakeLimit(const TLimitControls& controls, TMinMaxInfo& limit) {
  limit.SetEnabled(controls.Enabled->Checked());
  limit.SetSizeX(StrToInt(Trim(controls.X->Text())));
  limit.SetSizeY(StrToInt(Trim(controls.Y->Text())));
}

}  // namespace

const TClassRecord& TSuperFormEditor::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TSuperFormEditor, TSuperForm>("TSuperFormEditor", "SuperFormEditor")
          .Method<&TSuperFormEditor::CurrentClick>("CurrentClick")
          .Method<&TSuperFormEditor::FormCloseQuery>("FormCloseQuery")
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TSuperFormEditor::StaticClass());

void TSuperFormEditor::Init(TSuperForm* target) {
  fTarget = target;
  ShowLimit(LimitControls(*this, "Min"), *target->SizeMinTrack());
  ShowLimit(LimitControls(*this, "Max"), *target->SizeMaxTrack());
}

void TSuperFormEditor::Apply(TSuperForm& target) const {
  TakeLimit(LimitControls(*this, "Min"), *target.SizeMinTrack());
  TakeLimit(LimitControls(*this, "Max"), *target.SizeMaxTrack());
}

void TSuperFormEditor::CurrentClick(TObject* sender) {
  if (!fTarget) return;
  for (const char* prefix : {"Min", "Max"}) {
    const TLimitControls controls = LimitControls(*this, prefix);
    if (sender != controls.Current) continue;
    controls.X->SetText(IntToStr(fTarget->Width()));
    controls.Y->SetText(IntToStr(fTarget->Height()));
  }
}

void TSuperFormEditor::FormCloseQuery(TObject*, bool& canClose) {
  if (ModalResult() != mrOk) return;
  for (const char* prefix : {"Min", "Max"}) {
    const TLimitControls controls = LimitControls(*this, prefix);
    for (TEdit* edit : {controls.X, controls.Y}) {
      int32_t value = 0;
      if (TryStrToInt(Trim(edit->Text()), value)) continue;
      canClose = false;
      const auto* dravik = FindOwned<TDravik>(this, "Dravik");
      MsgEx(dravik->GetString("NotAnInteger"), "", mtError, kPrivateDomain, 0, {mbOK});
      if (edit->Widget()) edit->Widget()->setFocus();
      return;
    }
  }
}

bool EditSuperForm(TSuperForm& form, TFormDesigner* designer) {
  TComponentPtr<TSuperFormEditor> editor = MakeComponent<TSuperFormEditor>(nullptr);
  editor->Init(&form);
  if (editor->ShowModal() != mrOk) return false;
  editor->Apply(form);
  if (designer) designer->Modified();
  // A height one pixel larger and back lays the form out again with its new limits.
  form.SetHeight(form.Height() + 1);
  form.SetHeight(form.Height() - 1);
  return true;
}

}  // namespace dravik
