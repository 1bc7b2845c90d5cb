#pragma once
// A sortable grid on a shown, active form, and the user's hands: clicks on cells, drags, typing.

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTableView>
#include <QTest>
#include <string>
#include <vector>

#include "platform/ui/Forms.h"
#include "tests/ui/UiFixture.h"

namespace dravik {

template <class TGrid>
class GridOnForm : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = MakeComponent<TForm>(nullptr);
    form->SetBounds(0, 0, 420, 300);
    grid = Create<TGrid>(form.get());
    grid->SetParent(form.get());
    grid->SetBounds(0, 0, 400, 280);
    form->Show();
    QWidget* window = form->Widget()->window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    grid->SetFocus();
    ASSERT_TRUE(grid->Focused());
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }

  // The centre of a cell in the grid's client area.
  QPoint CellCenter(int32_t col, int32_t row) const {
    const TRect r = grid->CellRect(col, row);
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  // The widget that shows a cell (the table, a header, the corner) and the cell's centre in it.
  std::pair<QWidget*, QPoint> Target(int32_t col, int32_t row) const {
    QTableView* view = grid->View();
    const QPoint at = view->contentsRect().topLeft() + CellCenter(col, row);
    QWidget* widget = view->childAt(at);
    return {widget, widget->mapFrom(view, at)};
  }
  void Click(int32_t col, int32_t row, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const auto [widget, at] = Target(col, row);
    QTest::mouseClick(widget, button, modifiers, at);
  }
  void Press(int32_t col, int32_t row) {
    const auto [widget, at] = Target(col, row);
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, at);
    fPressed = widget;
  }
  // A move with the left button held goes where the press went, as a drag delivers it.
  void DragTo(int32_t col, int32_t row) {
    const QPoint at = fPressed->mapFrom(
        grid->View(), grid->View()->contentsRect().topLeft() + CellCenter(col, row));
    QMouseEvent move(QEvent::MouseMove, at, fPressed->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(fPressed, &move);
  }
  void Release(int32_t col, int32_t row) {
    const QPoint at = fPressed->mapFrom(
        grid->View(), grid->View()->contentsRect().topLeft() + CellCenter(col, row));
    QTest::mouseRelease(fPressed, Qt::LeftButton, Qt::NoModifier, at);
  }
  // Keys go where the focus is: the grid, or its editor once typing opened it.
  static void Type(const std::string& text) {
    for (char c : text) QTest::keyClick(QApplication::focusWidget(), c);
  }
  // The editor closes on Enter once the event loop runs.
  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    QApplication::processEvents();
  }

  void SetColumn(int32_t col, const std::vector<std::string>& texts) {
    grid->SetRowCount(grid->FixedRows() + static_cast<int32_t>(texts.size()));
    for (std::size_t i = 0; i < texts.size(); ++i)
      grid->SetCells(col, grid->FixedRows() + static_cast<int32_t>(i), texts[i]);
  }
  std::vector<std::string> Column(int32_t col) const {
    std::vector<std::string> texts;
    for (int32_t row = grid->FixedRows(); row < grid->RowCount(); ++row)
      texts.push_back(grid->Cells(col, row));
    return texts;
  }
  // The client area as it is painted: cells at their CellRect.
  QImage Picture() const { return grid->View()->grab(grid->View()->contentsRect()).toImage(); }

  TComponentPtr<TForm> form;
  TGrid* grid = nullptr;

 private:
  QWidget* fPressed = nullptr;
};

}  // namespace dravik
