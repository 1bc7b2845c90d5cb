#pragma once
// The timer, which fires OnTimer every Interval milliseconds while enabled.

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

}  // namespace dravik
