#pragma once
// The timer, which fires OnTimer every Interval milliseconds while enabled, the splitter, which
// the user drags to resize the aligned control before it, and the image.

#include <QPixmap>
#include <QPointer>

#include "platform/ui/Controls.h"

class QTimer;

namespace dravik {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner) : TComponent(owner) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool value);
  int32_t Interval() const { return fInterval; }
  void SetInterval(int32_t value);
  // Whether the Qt timer runs: enabled, with an interval, and loaded.
  bool Running() const;
  TNotifyEvent OnTimer;
  void Loaded() override;

 protected:
  void BeforeDestruction() override;

 private:
  void UpdateTimer();
  bool fEnabled = true;
  int32_t fInterval = 1000;
  QPointer<QTimer> fTimer;  // owned
};

// A bar aligned beside another aligned control; dragging it resizes that control.
class TSplitter : public TControl {
 public:
  explicit TSplitter(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  // The smallest size the resized control (and the space beyond the splitter) keeps.
  int32_t MinSize() const { return fMinSize; }
  void SetMinSize(int32_t value) { fMinSize = value; }
  // The control the splitter resizes: the one aligned the same way just before it.
  TControl* FindControl() const;
  // Moves the splitter by delta pixels (to the right or down), as a drag does.
  void MoveBy(int32_t delta);
  TNotifyEvent OnMoved;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;

 private:
  friend class TSplitterWidget;
  int32_t fMinSize = 30;
};

// A picture, drawn at its size or scaled to the control, centred or at the top left. The picture
// is given from code (dialog icons and the like); form files keep only the layout.
class TImage : public TControl {
 public:
  explicit TImage(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  bool Center() const { return fCenter; }
  void SetCenter(bool value);
  bool Stretch() const { return fStretch; }
  void SetStretch(bool value);
  const QPixmap& Picture() const { return fPicture; }
  void SetPicture(const QPixmap& picture);

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void InitWidget() override;

 private:
  void ShowPicture();
  QPixmap fPicture;
  bool fCenter = false;
  bool fStretch = false;
};

}  // namespace dravik
