// The timer on a Qt timer: ticks while enabled, stops when disabled or freed.

#include <QCoreApplication>
#include <QElapsedTimer>

#include "platform/ui/ExtCtrls.h"
#include "tests/ui/ControlsWindow.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

using Timers = UiTest;

class TTicks : public TObject {
 public:
  void Tick(TObject*) { ++Count; }
  int Count = 0;
};

// Runs the event loop until ticks counted `count` or two seconds passed.
void WaitFor(const TTicks& ticks, int count) {
  QElapsedTimer clock;
  clock.start();
  while (ticks.Count < count && clock.elapsed() < 2000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

}  // namespace

TEST_F(Timers, ATimerFromAFormFileTicksUntilDisabled) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  auto* timer = Find<TTimer>(form, "Ticker");
  EXPECT_EQ(timer->Interval(), 10);
  EXPECT_TRUE(timer->Running());
  TTicks ticks;
  timer->OnTimer = TNotifyEvent::Of<&TTicks::Tick>(&ticks);
  WaitFor(ticks, 2);
  EXPECT_GE(ticks.Count, 2);
  timer->SetEnabled(false);
  EXPECT_FALSE(timer->Running());
  const int stopped = ticks.Count;
  QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_EQ(ticks.Count, stopped);
  timer->SetInterval(0);
  timer->SetEnabled(true);
  EXPECT_FALSE(timer->Running());  // no interval, no ticks
  timer->SetInterval(5);
  EXPECT_TRUE(timer->Running());
  form->Free();  // the Qt timer goes with it: no tick reaches a freed handler
  QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

TEST_F(Timers, ATimerMadeInCodeStartsAtOnce) {
  auto timer = MakeComponent<TTimer>(nullptr);
  TTicks ticks;
  timer->OnTimer = TNotifyEvent::Of<&TTicks::Tick>(&ticks);
  timer->SetInterval(5);
  WaitFor(ticks, 1);
  EXPECT_GE(ticks.Count, 1);
}
