#include "platform/ui/ExtCtrls.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {

const TClassRegistration kRegistrations[] = {
    TClassRegistration(TTimer::StaticClass()),
    TClassRegistration(TSplitter::StaticClass()),
    TClassRegistration(TImage::StaticClass()),
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

// --- TSplitter ---------------------------------------------------------------------------------

// The splitter's window: turns a drag into moves of the splitter.
class TSplitterWidget : public QWidget {
 public:
  TSplitterWidget(TSplitter* splitter, QWidget* parent) : QWidget(parent), fSplitter(splitter) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) fLast = Along(event->globalPosition().toPoint());
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const int32_t now = Along(event->globalPosition().toPoint());
    fSplitter->MoveBy(now - fLast);
    fLast = now;
  }

 private:
  int32_t Along(QPoint point) const {
    const TAlign align = fSplitter->Align();
    return align == alTop || align == alBottom ? point.y() : point.x();
  }
  TSplitter* fSplitter;
  int32_t fLast = 0;
};

const TClassRecord& TSplitter::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TSplitter, TControl>("TSplitter", "ExtCtrls")
          .Property("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize)
          .Default(30)
          .Event("OnMoved", &TSplitter::OnMoved)
          .Build();
  return record;
}

TSplitter::TSplitter(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 3, 100);
  SetAlign(alLeft);
}

QWidget* TSplitter::CreateWidget(QWidget* parentWidget) {
  auto* widget = new TSplitterWidget(this, parentWidget);
  const bool across = Align() == alTop || Align() == alBottom;
  widget->setCursor(across ? Qt::SplitVCursor : Qt::SplitHCursor);
  return widget;
}

TControl* TSplitter::FindControl() const {
  TWinControl* parent = Parent();
  if (!parent) return nullptr;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == this || c->Align() != Align() || !c->Visible()) continue;
    const TRect r = c->BoundsRect();
    const bool touches = (Align() == alLeft && r.Right == Left()) ||
                         (Align() == alRight && r.Left == Left() + Width()) ||
                         (Align() == alTop && r.Bottom == Top()) ||
                         (Align() == alBottom && r.Top == Top() + Height());
    if (touches) return c;
  }
  return nullptr;
}

void TSplitter::MoveBy(int32_t delta) {
  TControl* control = FindControl();
  if (!control || delta == 0) return;
  TWinControl* parent = Parent();
  const bool horizontal = Align() == alLeft || Align() == alRight;
  const int32_t size = horizontal ? control->Width() : control->Height();
  // Moving right or down grows a control on the left or top and shrinks one on the other side.
  const int32_t grow = Align() == alLeft || Align() == alTop ? delta : -delta;
  // The space left for the controls beyond the splitter keeps MinSize too.
  int32_t rest = horizontal ? parent->ClientWidth() : parent->ClientHeight();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c->Visible() && c->Align() != alClient && c->Align() != alNone)
      if ((c->Align() == alLeft || c->Align() == alRight) == horizontal)
        rest -= horizontal ? c->Width() : c->Height();
  }
  const int32_t wanted =
      std::clamp(size + grow, fMinSize, std::max(fMinSize, size + rest - fMinSize));
  if (wanted == size) return;
  if (horizontal) {
    control->SetWidth(wanted);
  } else {
    control->SetHeight(wanted);
  }
  OnMoved(this);
}

const TClassRecord& TImage::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TImage, TControl>("TImage", "ExtCtrls")
          .Property("Center", &TImage::Center, &TImage::SetCenter)
          .Default(false)
          .Property("Stretch", &TImage::Stretch, &TImage::SetStretch)
          .Default(false)
          .Build();
  return record;
}

TImage::TImage(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 105, 105);
}

QWidget* TImage::CreateWidget(QWidget* parentWidget) {
  return new QLabel(parentWidget);
}

void TImage::InitWidget() {
  TControl::InitWidget();
  ShowPicture();
}

void TImage::SetCenter(bool value) {
  fCenter = value;
  ShowPicture();
}

void TImage::SetStretch(bool value) {
  fStretch = value;
  ShowPicture();
}

void TImage::SetPicture(const QPixmap& picture) {
  fPicture = picture;
  ShowPicture();
}

void TImage::ShowPicture() {
  auto* label = static_cast<QLabel*>(Widget());
  if (!label) return;
  label->setScaledContents(fStretch);
  label->setAlignment(fCenter ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
  label->setPixmap(fPicture);
}

}  // namespace dravik
