#include "apps/studio/FormView.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/ui/Forms.h"

namespace dravik {

namespace {
constexpr int kMargin = 8;  // around the form, so the frame of a selected edge shows
}

TFormView::TFormView(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Dark);
}

void TFormView::ShowForm(TComponent* root) {
  if (root != fRoot) fSelected = nullptr;
  fRoot = root;
  fPicture = QPixmap();
  fItems.clear();
  fOrigin = QPoint(kMargin, kMargin);
  if (root) {
    if (auto* form = dynamic_cast<TCustomForm*>(root)) {
      form->HandleNeeded();
      fPicture = form->Widget()->grab();
      fOrigin += form->ClientWidget()->mapTo(form->Widget(), QPoint(0, 0));
    }
    const QFontMetrics metrics(font());
    fItems = DesignedItems(*root, [&metrics](const std::string& label) {
      return metrics.horizontalAdvance(QString::fromStdString(label));
    });
  }
  QSize size(fPicture.size());
  if (!fItems.empty())
    for (const TDesignedItem& item : fItems)
      size =
          size.expandedTo(QSize(fOrigin.x() + item.Bounds.Right, fOrigin.y() + item.Bounds.Bottom));
  setMinimumSize(size + QSize(2 * kMargin, 2 * kMargin));
  update();
}

void TFormView::SetSelected(TComponent* component) {
  fSelected = component;
  update();
}

QRect TFormView::ViewRect(const TDesignedItem& item) const {
  return QRect(fOrigin.x() + item.Bounds.Left, fOrigin.y() + item.Bounds.Top, item.Bounds.Width(),
               item.Bounds.Height());
}

void TFormView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!fPicture.isNull()) painter.drawPixmap(kMargin, kMargin, fPicture);
  for (const TDesignedItem& item : fItems) {
    if (!item.Box) continue;
    const QRect rect = ViewRect(item);
    painter.fillRect(rect, QColor(255, 255, 225));
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.drawText(rect, Qt::AlignCenter, QString::fromStdString(item.Component->Name()));
  }
  for (const TDesignedItem& item : fItems) {
    if (item.Component != fSelected || item.Component == fRoot) continue;
    painter.setPen(QPen(QColor(0, 90, 200), 2, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ViewRect(item).adjusted(-2, -2, 1, 1));
  }
}

TComponent* TFormView::At(QPoint pos) const {
  return ComponentAt(fItems, pos.x() - fOrigin.x(), pos.y() - fOrigin.y());
}

void TFormView::mousePressEvent(QMouseEvent* event) {
  TComponent* hit = At(event->position().toPoint());
  if (hit && OnSelect) OnSelect(hit);
}

void TFormView::mouseDoubleClickEvent(QMouseEvent* event) {
  TComponent* hit = At(event->position().toPoint());
  if (hit && OnEdit) OnEdit(hit);
}

void TFormView::contextMenuEvent(QContextMenuEvent* event) {
  TComponent* hit = At(event->pos());
  if (!hit) return;
  if (OnSelect) OnSelect(hit);
  if (OnContextMenu) OnContextMenu(hit, event->globalPos());
}

}  // namespace dravik
