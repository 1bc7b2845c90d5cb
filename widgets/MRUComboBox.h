#pragma once
// An edit field with a drop-down list of the texts last committed, and a small button at its
// right end whose click a descendant handles. A text is committed on Enter, on leaving the
// field, on choosing an entry and when Text is assigned; History keeps the list as one text.

#include <algorithm>
#include <memory>
#include <string>

#include "platform/core/classes/Strings.h"
#include "platform/ui/Controls.h"

class QComboBox;
class QToolButton;

namespace dravik {

// The text about to be committed; a handler may change it and its verdict.
using TMRUValidateEvent =
    TEvent<"TMRUValidateEvent", TObject* /*Sender*/, std::string& /*Text*/, bool& /*Valid*/>;

class TCustomMRUComboBox : public TWinControl {
 public:
  explicit TCustomMRUComboBox(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  const std::string& ButtonCaption() const { return fButtonCaption; }
  void SetButtonCaption(const std::string& value);
  // The picture on the button: a file path or a module resource name.
  const std::string& ButtonGlyph() const { return fButtonGlyph; }
  void SetButtonGlyph(const std::string& value);
  const std::string& ButtonHint() const { return fButtonHint; }
  void SetButtonHint(const std::string& value);
  int32_t ButtonNumGlyphs() const { return fButtonNumGlyphs; }
  void SetButtonNumGlyphs(int32_t value) { fButtonNumGlyphs = value; }
  bool ButtonTabStop() const { return fButtonTabStop; }
  // Only in the designer (or while read from a form file): the error otherwise is
  // "<class>.ButtonTabStop can only be changed at designing time".
  void SetButtonTabStop(bool value);
  bool ButtonVisible() const { return fButtonVisible; }
  void SetButtonVisible(bool value);
  int32_t DefaultHeight() const { return fDefaultHeight; }
  void SetDefaultHeight(int32_t value);
  int32_t DropDownCount() const { return fDropDownCount; }
  void SetDropDownCount(int32_t value);
  // The list's entries joined, each followed by ";"; setting it splits at ";".
  std::string History() const;
  void SetHistory(const std::string& value);
  TStrings* HistoryList() const { return fHistory.get(); }
  void SetHistoryList(TStrings* value);
  // The most entries the list keeps; never fewer than DropDownCount.
  int32_t HistoryListCount() const { return std::max(fHistoryListCount, fDropDownCount); }
  void SetHistoryListCount(int32_t value);
  const std::string& LastCommitted() const { return fLastCommitted; }
  // Whether a commit changed the text (more than in case) since the store last looked.
  bool HistoryChanged() const { return fHistoryChanged; }
  void SetHistoryChanged(bool value) { fHistoryChanged = value; }

  // Commits the edit text (see above); nothing while loading or when already committing.
  void Commit();

  TNotifyEvent OnChanged;
  TMRUValidateEvent OnValidate;

  QComboBox* ComboWidget() const;
  QToolButton* ButtonWidget() const;
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void Loaded() override;

 protected:
  // The button was clicked.
  virtual void ButtonClick() {}
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void InitWidget() override;
  void TextChanged() override;
  TColor DefaultColor() const override { return clWindow; }

 private:
  friend class TMRUEventFilter;
  friend class TMRUWidget;
  bool HasFocus() const;
  void ListToWidget();
  void LayoutParts();
  void TrimList();
  // Enter and Escape in the field: whether the key was used up.
  bool KeyPressed(int key);

  std::unique_ptr<TStringList> fHistory;
  std::string fButtonCaption = "...";
  std::string fButtonGlyph;
  std::string fButtonHint;
  int32_t fButtonNumGlyphs = 1;
  bool fButtonTabStop = false;
  bool fButtonVisible = true;
  int32_t fDefaultHeight = 23;
  int32_t fDropDownCount = 8;
  int32_t fHistoryListCount = 10;
  std::string fLastCommitted;
  int fReentry = 0;
  bool fFromWidget = false;
  bool fHistoryChanged = false;
};

class TMRUComboBox : public TCustomMRUComboBox {
 public:
  using TCustomMRUComboBox::TCustomMRUComboBox;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

}  // namespace dravik
