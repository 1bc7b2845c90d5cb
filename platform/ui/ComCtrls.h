#pragma once
// Common controls: the status bar with its panels and the tool bar with its buttons.

#include <memory>

#include "platform/core/classes/Collection.h"
#include "platform/ui/Controls.h"
#include "platform/ui/StdCtrls.h"

class QLabel;

namespace dravik {

class TStatusPanel : public TCollectionItem {
 public:
  explicit TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Assign(const TPersistent* source) override;
  const std::string& Text() const { return fText; }
  void SetText(const std::string& value);
  int32_t Width() const { return fWidth; }
  void SetWidth(int32_t value);
  TAlignment Alignment() const { return fAlignment; }
  void SetAlignment(TAlignment value);

 private:
  std::string fText;
  int32_t fWidth = 50;
  TAlignment fAlignment = taLeftJustify;
};

class TStatusPanels : public TCollection {
 public:
  explicit TStatusPanels(TPersistent* owner) : TCollection(TStatusPanel::StaticClass(), owner) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TStatusPanel* Items(int index) const {
    return static_cast<TStatusPanel*>(TCollection::Items(index));
  }
  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
};

// A bar of text panels along the bottom of its form; with SimplePanel one text fills it.
class TStatusBar : public TWinControl, public TCollectionOwner {
 public:
  explicit TStatusBar(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TStatusPanels* Panels() const { return fPanels.get(); }
  void SetPanels(TStatusPanels* panels) { fPanels->Assign(panels); }
  bool SimplePanel() const { return fSimplePanel; }
  void SetSimplePanel(bool value);
  const std::string& SimpleText() const { return fSimpleText; }
  void SetSimpleText(const std::string& value);
  void CollectionNotify(TCollection& collection, TCollectionItem* item,
                        TCollectionNotification action) override;
  // The label showing panel index (the simple text's with SimplePanel); null without window.
  QLabel* PanelLabel(int index);
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void InitWidget() override;

 private:
  // Makes one label per panel (or one for the simple text) and places them.
  void PanelsToWidget();
  std::unique_ptr<TStatusPanels> fPanels;
  bool fPanelsPending = false;
  bool fSimplePanel = false;
  std::string fSimpleText;
};

class TToolButton;

// A row of flat buttons along the top of its form.
class TToolBar : public TWinControl {
 public:
  explicit TToolBar(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  int32_t ButtonWidth() const { return fButtonWidth; }
  void SetButtonWidth(int32_t value);
  int32_t ButtonHeight() const { return fButtonHeight; }
  void SetButtonHeight(int32_t value);
  bool Flat() const { return fFlat; }
  void SetFlat(bool value);
  bool ShowCaptions() const { return fShowCaptions; }
  void SetShowCaptions(bool value);
  void Loaded() override;
  // Places the buttons side by side in child order.
  void ArrangeButtons();

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;

 private:
  int32_t fButtonWidth = 23;
  int32_t fButtonHeight = 22;
  bool fFlat = true;
  bool fShowCaptions = false;
};

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
const TTypeInfo& TypeInfoFor(TToolButtonStyle);

class TToolButton : public TControl {
 public:
  explicit TToolButton(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TToolButtonStyle Style() const { return fStyle; }
  void SetStyle(TToolButtonStyle value);
  bool Down() const { return fDown; }
  void SetDown(bool value);
  int32_t ImageIndex() const { return fImageIndex; }
  void SetImageIndex(int32_t value) { fImageIndex = value; }
  void SetParentComponent(TComponent* parent) override;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void TextChanged() override;

 private:
  TToolBar* Bar() const;
  TToolButtonStyle fStyle = tbsButton;
  bool fDown = false;
  int32_t fImageIndex = -1;
};

}  // namespace dravik
