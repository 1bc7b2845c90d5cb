// The timer on a Qt timer: ticks while enabled, stops when disabled or freed.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

#include "platform/ui/StdCtrls.h"

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

namespace {

using Splitters = UiTest;

// A form with a tree on the left, a splitter beside it and a memo filling the rest.
struct TSplitForm {
  TSplitForm() {
    form->SetBounds(0, 0, 300, 200);
    tree->SetWidth(100);
    tree->SetAlign(alLeft);
    tree->SetParent(form.get());
    splitter->SetParent(form.get());  // after the tree: placed to its right
    rest->SetAlign(alClient);
    rest->SetParent(form.get());
    form->Show();
  }
  TComponentPtr<TForm> form = MakeComponent<TForm>(nullptr);
  TPanel* tree = Create<TPanel>(form.get());
  TSplitter* splitter = Create<TSplitter>(form.get());
  TPanel* rest = Create<TPanel>(form.get());
};

void Drag(QWidget* widget, int dx) {
  const QPoint from = widget->mapToGlobal(QPoint(1, 1));
  const QPoint to = from + QPoint(dx, 0);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(from), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  QMouseEvent move(QEvent::MouseMove, QPointF(1 + dx, 1), QPointF(to), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &move);
}

}  // namespace

TEST_F(Splitters, ADragResizesTheNeighbourWithinTheMinimum) {
  TSplitForm f;
  ASSERT_EQ(f.splitter->FindControl(), f.tree);
  EXPECT_EQ(f.splitter->Left(), 100);
  Drag(f.splitter->Widget(), 40);
  EXPECT_EQ(f.tree->Width(), 140);
  EXPECT_EQ(f.splitter->Left(), 140);
  EXPECT_EQ(f.rest->Left(), 143);
  EXPECT_EQ(f.rest->Width(), 300 - 143);
  EXPECT_EQ(f.tree->Widget()->width(), 140);
  // Neither side gets smaller than MinSize.
  f.splitter->MoveBy(-500);
  EXPECT_EQ(f.tree->Width(), 30);
  f.splitter->MoveBy(500);
  EXPECT_EQ(f.rest->Width(), 30);
  EXPECT_EQ(f.tree->Width(), 300 - 3 - 30);
}
