#pragma once
// The standard controls: label, button, edit, memo, check box, radio button, group box, combo
// box, list box, panel.

#include <memory>

#include "platform/core/classes/Strings.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Cursors.h"

class QListWidget;
class QComboBox;

namespace dravik {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
const TTypeInfo& TypeInfoFor(TAlignment);
// The alignment as Qt's, centred vertically.
Qt::Alignment ToQtAlignment(TAlignment alignment);

class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TAlignment Alignment() const { return fAlignment; }
  void SetAlignment(TAlignment value);
  // An auto-sized label takes the size of its text.
  bool AutoSize() const { return fAutoSize; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return fWordWrap; }
  void SetWordWrap(bool value);
  bool Transparent() const { return fTransparent; }
  void SetTransparent(bool value) { fTransparent = value; }
  void Loaded() override;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void InitWidget() override;
  void TextChanged() override;
  void FontChanged() override;

 private:
  void LayoutChanged();  // alignment and word wrap
  void AdjustSize();
  TAlignment fAlignment = taLeftJustify;
  bool fAutoSize = true;
  bool fWordWrap = false;
  bool fTransparent = false;
};

// Key is the character typed (13 for Enter); a handler that sets it to 0 consumes the key.
using TKeyPressEvent = TEvent<"TKeyPressEvent", TObject* /*Sender*/, char& /*Key*/>;

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  int32_t ModalResult() const { return fModalResult; }
  void SetModalResult(int32_t value) { fModalResult = value; }
  bool Default() const { return fDefault; }
  void SetDefault(bool value);
  bool Cancel() const { return fCancel; }
  void SetCancel(bool value) { fCancel = value; }
  TNotifyEvent OnEnter, OnExit;  // the button gets or loses the focus
  TKeyPressEvent OnKeyPress;
  // Fires OnClick and gives the form this button's modal result.
  void Click() override;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void TextChanged() override;

 private:
  int32_t fModalResult = 0;
  bool fDefault = false;
  bool fCancel = false;
};

class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  bool ReadOnly() const { return fReadOnly; }
  void SetReadOnly(bool value);
  int32_t MaxLength() const { return fMaxLength; }
  void SetMaxLength(int32_t value);
  // Whether the user changed the text since Modified was last cleared.
  bool Modified() const { return fModified; }
  void SetModified(bool value) { fModified = value; }
  TNotifyEvent OnChange;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnExit;  // the edit lost the focus

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void TextChanged() override;
  TColor DefaultColor() const override { return clWindow; }

 private:
  bool fModified = false;
  bool fReadOnly = false;
  int32_t fMaxLength = 0;
  bool fFromWidget = false;
};

class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TStrings* Lines() const { return fLines.get(); }
  void SetLines(TStrings* lines) { fLines->Assign(lines); }
  bool ReadOnly() const { return fReadOnly; }
  void SetReadOnly(bool value);
  bool WordWrap() const { return fWordWrap; }
  void SetWordWrap(bool value);
  // Rich text shown as formatted when the text is HTML (the read-only rich edit).
  bool RichText() const { return fRichText; }
  void SetRichText(bool value) { fRichText = value; }

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void InitWidget() override;
  TColor DefaultColor() const override { return clWindow; }
  // The lines as HTML when they are rich text, empty when they are plain.
  virtual std::string AsHtml(const std::string& text) const;

 private:
  void LinesChanged(TObject*);
  std::unique_ptr<TStringList> fLines;
  bool fReadOnly = false;
  bool fWordWrap = true;
  bool fRichText = false;
  bool fFromWidget = false;
};

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  bool Checked() const { return fChecked; }
  void SetChecked(bool value);

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void TextChanged() override;
  bool fChecked = false;
};

class TRadioButton : public TCheckBox {
 public:
  using TCheckBox::TCheckBox;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
};

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void TextChanged() override;
};

// A list of lines with one chosen: what combo and list boxes share.
class TCustomListControl : public TWinControl {
 public:
  explicit TCustomListControl(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TStrings* Items() const { return fItems.get(); }
  void SetItems(TStrings* items) { fItems->Assign(items); }
  int32_t ItemIndex() const { return fItemIndex; }
  void SetItemIndex(int32_t value);
  bool Sorted() const { return fItems->Sorted(); }
  void SetSorted(bool value) { fItems->SetSorted(value); }
  TNotifyEvent OnChange;

 protected:
  void InitWidget() override;
  // Puts every line into the widget and selects ItemIndex.
  virtual void ItemsToWidget() = 0;
  virtual void IndexToWidget() = 0;
  // A change the user made.
  void IndexFromWidget(int32_t index);
  // Fires OnChange; controls that act on the user's choice do so after it.
  virtual void Change();
  TColor DefaultColor() const override { return clWindow; }
  bool fUpdatingWidget = false;

 private:
  void ItemsChanged(TObject*);
  std::unique_ptr<TStringList> fItems;
  int32_t fItemIndex = -1;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };
const TTypeInfo& TypeInfoFor(TComboBoxStyle);

enum TOwnerDrawStateKind { odSelected, odGrayed, odDisabled, odChecked, odFocused };
using TOwnerDrawState = TSet<TOwnerDrawStateKind, "TOwnerDrawState">;
using TDrawItemEvent =
    TEvent<"TDrawItemEvent", TWinControl* /*Control*/, int32_t /*Index*/, TRect, TOwnerDrawState>;
using TMeasureItemEvent =
    TEvent<"TMeasureItemEvent", TWinControl* /*Control*/, int32_t /*Index*/, int32_t& /*Height*/>;

class TComboBox : public TCustomListControl {
 public:
  explicit TComboBox(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TComboBoxStyle Style() const { return fStyle; }
  void SetStyle(TComboBoxStyle value) { fStyle = value; }
  QComboBox* ComboWidget() const;
  // The lines the open list shows at once.
  int32_t DropDownCount() const { return fDropDownCount; }
  void SetDropDownCount(int32_t value);
  // The longest text the user may type; 0 for no limit.
  int32_t MaxLength() const { return fMaxLength; }
  void SetMaxLength(int32_t value);
  bool TabStop() const { return fTabStop; }
  void SetTabStop(bool value);

  // OnKeyDown and OnKeyUp hear every key, OnKeyPress the characters typed, OnEnter and OnExit
  // the focus coming and going, OnDropDown the list opening. The items are drawn by the
  // widget, so OnDrawItem and OnMeasureItem, like the drag events, are kept, not called.
  TNotifyEvent OnDblClick, OnDropDown, OnEnter, OnExit;
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TDragDropEvent OnDragDrop;
  TDragOverEvent OnDragOver;
  TDrawItemEvent OnDrawItem;
  TEndDragEvent OnEndDrag;
  TMeasureItemEvent OnMeasureItem;
  TStartDragEvent OnStartDrag;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void ItemsToWidget() override;
  void IndexToWidget() override;
  void TextChanged() override;

 private:
  TComboBoxStyle fStyle = csDropDown;
  int32_t fDropDownCount = 8;
  int32_t fMaxLength = 0;
  int32_t fItemHeight = 16;  // kept: the widget sizes its lines
  bool fTabStop = true;
  bool fCtl3D = true, fParentCtl3D = true;  // kept: Qt's style draws the frame
  TDragMode fDragMode = dmManual;
  TCursor fDragCursor = crDrag;
  TImeMode fImeMode = imDontCare;
  std::string fImeName;
};

class TListBox : public TCustomListControl {
 public:
  explicit TListBox(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void ItemsToWidget() override;
  void IndexToWidget() override;
};

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
const TTypeInfo& TypeInfoFor(TBevelCut);

class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TBevelCut BevelOuter() const { return fBevelOuter; }
  void SetBevelOuter(TBevelCut value);
  TAlignment Alignment() const { return fAlignment; }
  void SetAlignment(TAlignment value);

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void TextChanged() override;

 private:
  TBevelCut fBevelOuter = bvRaised;
  TAlignment fAlignment = taCenter;
};

}  // namespace dravik
