#pragma once
// TControl and TWinControl: components with a place on a parent, backed by a Qt widget. The
// published properties are the truth; a control creates its widget when its window is needed,
// pushes every property into it and takes back what the user changes. A control owns its widget;
// Qt's parenthood never deletes a component.

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes/Component.h"
#include "platform/core/graphics/Font.h"
#include "platform/core/typinfo/Method.h"
#include "platform/core/typinfo/Set.h"
#include "platform/ui/TextCache.h"

class QWidget;

namespace dravik {

class TWinControl;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
const TTypeInfo& TypeInfoFor(TAlign);
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
const TTypeInfo& TypeInfoFor(TAnchorKind);
using TAnchors = TSet<TAnchorKind, "TAnchors">;

// Positions and sizes of controls lie within +-kMaxCoordinate: far beyond any screen, and small
// enough that the sums layout makes of a few of them never overflow. Stored values outside (a
// damaged or hostile form file) are brought to the nearest end when they are set.
inline constexpr int32_t kMaxCoordinate = 1 << 24;
int32_t ClampCoordinate(int64_t value);

struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

// What the mouse and keyboard hooks of controls are told.
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateKind { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateKind, "TShiftState">;
// Key is the virtual key code (13 Enter, 37 to 40 the arrows, "A" for A); a handler that sets it
// to 0 consumes the key.
using TKeyEvent = TEvent<"TKeyEvent", TObject* /*Sender*/, uint16_t& /*Key*/, TShiftState>;

// Dragging controls and input methods: stored with a form and kept for the program, which
// this framework does not act on (it has no drag and drop of controls, and Qt picks the input
// method).
enum TDragMode { dmManual, dmAutomatic };
const TTypeInfo& TypeInfoFor(TDragMode);
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TImeMode {
  imDisable,
  imClose,
  imOpen,
  imDontCare,
  imSAlpha,
  imAlpha,
  imHira,
  imSKata,
  imKata,
  imChinese,
  imSHanguel,
  imHanguel
};
const TTypeInfo& TypeInfoFor(TImeMode);
using TDragDropEvent = TEvent<"TDragDropEvent", TObject* /*Sender*/, TObject* /*Source*/,
                              int32_t /*X*/, int32_t /*Y*/>;
using TDragOverEvent = TEvent<"TDragOverEvent", TObject* /*Sender*/, TObject* /*Source*/,
                              int32_t /*X*/, int32_t /*Y*/, TDragState, bool& /*Accept*/>;
using TEndDragEvent =
    TEvent<"TEndDragEvent", TObject* /*Sender*/, TObject* /*Target*/, int32_t /*X*/, int32_t /*Y*/>;
using TStartDragEvent = TEvent<"TStartDragEvent", TObject* /*Sender*/, TObject*& /*DragObject*/>;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TWinControl* Parent() const { return fParent; }
  void SetParent(TWinControl* parent);
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

  int32_t Left() const { return fLeft; }
  int32_t Top() const { return fTop; }
  int32_t Width() const { return fWidth; }
  int32_t Height() const { return fHeight; }
  void SetLeft(int32_t value) { SetBounds(value, fTop, fWidth, fHeight); }
  void SetTop(int32_t value) { SetBounds(fLeft, value, fWidth, fHeight); }
  void SetWidth(int32_t value) { SetBounds(fLeft, fTop, value, fHeight); }
  void SetHeight(int32_t value) { SetBounds(fLeft, fTop, fWidth, value); }
  virtual void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  TRect BoundsRect() const { return {fLeft, fTop, fLeft + fWidth, fTop + fHeight}; }
  // The area inside the control that its children share (its size, for most controls).
  virtual int32_t ClientWidth() const { return fWidth; }
  virtual int32_t ClientHeight() const { return fHeight; }
  virtual void SetClientWidth(int32_t value);
  virtual void SetClientHeight(int32_t value);

  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value);
  // Text and Caption are one property under two names, as controls publish one or the other.
  const std::string& Text() const { return fCaption; }
  void SetText(const std::string& value) { SetCaption(value); }
  const std::string& Hint() const { return fHint; }
  void SetHint(const std::string& value);
  bool ShowHint() const { return fShowHint; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return fParentShowHint; }
  void SetParentShowHint(bool value);
  bool Visible() const { return fVisible; }
  virtual void SetVisible(bool value);
  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool value);
  TFont* Font() const { return fFont.get(); }
  void SetFont(TFont* font) { fFont->Assign(font); }
  bool ParentFont() const { return fParentFont; }
  void SetParentFont(bool value);
  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  bool ParentColor() const { return fParentColor; }
  void SetParentColor(bool value);
  TAlign Align() const { return fAlign; }
  void SetAlign(TAlign value);
  TAnchors Anchors() const { return fAnchors; }
  void SetAnchors(TAnchors value) { fAnchors = value; }

  // The menu the control opens on a right click.
  TPopupMenu* PopupMenu() const { return fPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);

  TNotifyEvent OnClick;
  virtual void Click();

  // The widget, once the control has a window; null before.
  QWidget* Widget() const { return fWidget.data(); }
  bool HandleAllocated() const { return !fWidget.isNull(); }
  // Creates the widget (and, for windowed controls, the children's) when there is none.
  virtual void HandleNeeded();
  // Whether hints show for this control: its own ShowHint, or its parent's when it follows it.
  bool EffectiveShowHint() const;
  // Called when the parent's font or colour changed; a control that follows it takes it.
  virtual void ParentFontChanged();
  virtual void ParentColorChanged();

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Makes the widget under parentWidget (null for a window); the base pushes the properties.
  virtual QWidget* CreateWidget(QWidget* parentWidget) = 0;
  // Pushes every property into a new widget.
  virtual void InitWidget();
  virtual void TextChanged() {}
  // The caption in the control's text cache: converted for Qt once per text, not on every
  // change back to it.
  TTextCache::TText& CaptionText();
  virtual void EnabledChanged() {}
  virtual void FontChanged();
  virtual void ColorChanged();
  void DestroyWidget();
  // The colour a control shows by default; a different Color paints its background.
  virtual TColor DefaultColor() const { return clBtnFace; }
  // Whether Color was set away from the default and must paint.
  bool ColorSet() const { return fColor != DefaultColor(); }
  void RequestAlign();
  void SetWidgetGeometry();
  // Changes Visible without the side effects of SetVisible, for constructors.
  void InitVisible(bool value) { fVisible = value; }

  QPointer<QWidget> fWidget;

 private:
  void FontChangedNotify(TObject*);

  TWinControl* fParent = nullptr;
  int32_t fLeft = 0, fTop = 0, fWidth = 0, fHeight = 0;
  std::string fCaption;
  std::unique_ptr<TTextCache> fTexts;  // made when a caption is first shown
  std::string fHint;
  bool fShowHint = false;
  bool fParentShowHint = true;
  bool fVisible = true;
  bool fEnabled = true;
  std::unique_ptr<TFont> fFont;
  bool fParentFont = true;
  TColor fColor = clBtnFace;
  bool fParentColor = false;
  TAlign fAlign = alNone;
  TAnchors fAnchors{akLeft, akTop};
  bool fSettingFont = false;
  TPopupMenu* fPopupMenu = nullptr;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  int ControlCount() const { return static_cast<int>(fControls.size()); }
  TControl* Controls(int index) const { return fControls.at(static_cast<std::size_t>(index)); }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  int32_t TabOrder() const { return fTabOrder; }
  void SetTabOrder(int32_t value) { fTabOrder = value; }

  void HandleNeeded() override;
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  // Places the aligned children and moves the anchored ones after a change of size.
  void AlignControls();
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  TComponent* GetChildParent() override { return this; }
  void Loaded() override;
  // The widget children are placed in (the widget itself, for most controls).
  virtual QWidget* ClientWidget() const { return Widget(); }

 protected:
  void BeforeDestruction() override;
  void FontChanged() override;
  void ColorChanged() override;
  // Children follow a change of this control's client size through their anchors.
  void ClientResized(int32_t oldWidth, int32_t oldHeight);

 private:
  std::vector<TControl*> fControls;  // not owned: the owner frees them
  int32_t fTabOrder = -1;
  int fAligning = 0;
};

}  // namespace dravik
