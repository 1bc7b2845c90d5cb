#include "platform/ui/ExtCtrls.h"

#include <QTimer>

#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {

const TClassRegistration kRegistrations[] = {
    TClassRegistration(TTimer::StaticClass()),
};

}  // namespace

const TClassRecord& TTimer::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TTimer, TComponent>("TTimer", "ExtCtrls")
          .Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
          .Default(true)
          .Property("Interval", &TTimer::Interval, &TTimer::SetInterval)
          .Default(1000)
          .Event("OnTimer", &TTimer::OnTimer)
          .Build();
  return record;
}

void TTimer::BeforeDestruction() {
  delete fTimer.data();
  TComponent::BeforeDestruction();
}

void TTimer::SetEnabled(bool value) {
  fEnabled = value;
  UpdateTimer();
}

void TTimer::SetInterval(int32_t value) {
  fInterval = value;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

bool TTimer::Running() const {
  return fTimer && fTimer->isActive();
}

// A form file sets Enabled and Interval before the handler; the timer starts once loaded.
void TTimer::UpdateTimer() {
  const bool run = fEnabled && fInterval > 0 && !IsLoading() && !IsDestroying();
  if (!run) {
    if (fTimer) fTimer->stop();
    return;
  }
  if (!fTimer) {
    fTimer = new QTimer();
    QObject::connect(fTimer, &QTimer::timeout, [this] { OnTimer(this); });
  }
  fTimer->start(fInterval);
}

}  // namespace dravik
