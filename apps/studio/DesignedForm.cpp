#include "apps/studio/DesignedForm.h"

#include <optional>
#include <utility>

#include "apps/dravik/Command.h"
#include "apps/dravik/FormFile.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassRecord.h"
#include "platform/ui/Forms.h"

namespace dravik {

namespace {

// A plain form that answers for the class the file names.
class TDesignedForm : public TForm {
 public:
  using TForm::TForm;
  const TClassRecord& ClassType() const override {
    return fRecord ? *fRecord : TForm::StaticClass();
  }
  // Set once the form is made, so that making it reads no embedded layout.
  void SetRecord(const TClassRecord* record) { fRecord = record; }
  // The form keeps Visible for its file but never shows as a window of its own: the studio
  // draws it in its view.
  void SetVisible(bool value) override { InitVisible(value); }

 private:
  const TClassRecord* fRecord = nullptr;
};

class TStudioHostedForm : public THostedForm {
 public:
  explicit TStudioHostedForm(std::string bytes) : fBytes(std::move(bytes)) {
    fForm.emplace(ComponentStreamOf(fBytes, std::nullopt),
                  [this, root = true](const std::string& name) mutable -> const TClassRecord* {
                    if (!std::exchange(root, false)) return nullptr;
                    return RootClass(name);
                  });
  }
  TComponent* Root() const override { return fForm->Root(); }
  std::string FileBytes() const override {
    return RewriteFormFile(fBytes, std::nullopt,
                           [this](const std::string&) { return fForm->Binary(); });
  }

 private:
  // A form class, or one the program lacks, is designed as a plain form; any other root (a
  // data module of a package) is made by its class. Either is designing from the start, so
  // its components are too (a configuration store then leaves the form's values alone).
  const TClassRecord* RootClass(const std::string& name) {
    const TClassRecord* known = GetClass(name);
    if (known && !known->InheritsFrom(TCustomForm::StaticClass())) {
      if (!known->ComponentFactory()) return nullptr;
      fRecord = std::make_unique<TClassRecord>(name, known->UnitName(), known);
      fRecord->SetComponentFactory([known](TComponent* owner) {
        TComponent* root = known->ComponentFactory()(owner);
        root->SetDesigning(true);
        return root;
      });
    } else {
      fRecord = std::make_unique<TClassRecord>(name, "", &TForm::StaticClass());
      fRecord->SetComponentFactory([record = fRecord.get()](TComponent* owner) -> TComponent* {
        auto* form = Create<TDesignedForm>(owner);
        form->SetRecord(record);
        form->SetDesigning(true);
        return form;
      });
    }
    fRecord->Seal();
    return fRecord.get();
  }

  std::string fBytes;
  std::unique_ptr<TClassRecord> fRecord;  // outlives the form made of it
  std::optional<TLoadedForm> fForm;
};

}  // namespace

std::unique_ptr<THostedForm> ReadDesignedForm(const std::string& fileName) {
  try {
    return std::make_unique<TStudioHostedForm>(ReadInput(fileName));
  } catch (const EUsage& e) {
    // A resource file of several forms: which one is the module's cannot be told.
    std::string message = e.Message.substr(0, e.Message.find(';'));
    if (!message.empty()) message[0] = UpCase(message[0]);
    throw EReadError(message);
  }
}

}  // namespace dravik
