#pragma once
// The studio's form view: a picture of the designed form as its real controls draw it, the
// components no control draws as labelled boxes, and the selected one framed. A click selects,
// a double click edits, a right click asks for the component's menu.

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <vector>

#include "apps/studio/StudioRules.h"

namespace dravik {

class TComponent;

class TFormView : public QWidget {
 public:
  explicit TFormView(QWidget* parent);

  // Draws the form anew (null: nothing), as it is now.
  void ShowForm(TComponent* root);
  TComponent* Form() const { return fRoot; }
  void SetSelected(TComponent* component);
  const std::vector<TDesignedItem>& Items() const { return fItems; }
  // Where the form's client area starts in the view.
  QPoint ClientOrigin() const { return fOrigin; }

  std::function<void(TComponent*)> OnSelect;
  std::function<void(TComponent*)> OnEdit;
  std::function<void(TComponent*, QPoint globalPos)> OnContextMenu;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  TComponent* At(QPoint pos) const;
  QRect ViewRect(const TDesignedItem& item) const;

  TComponent* fRoot = nullptr;
  TComponent* fSelected = nullptr;
  QPixmap fPicture;
  QPoint fOrigin;
  std::vector<TDesignedItem> fItems;
};

}  // namespace dravik
