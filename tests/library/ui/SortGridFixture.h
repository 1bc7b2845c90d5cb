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

  QWidget* Viewport() const { return grid->View()->viewport(); }
  QPoint CellCenter(int32_t col, int32_t row) const {
    const TRect r = grid->CellRect(col, row);
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  void Click(int32_t col, int32_t row, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(Viewport(), button, modifiers, CellCenter(col, row));
  }
  void Press(int32_t col, int32_t row) {
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(col, row));
  }
  // A move with the left button held, as a drag delivers it.
  void DragTo(int32_t col, int32_t row) {
    const QPoint at = CellCenter(col, row);
    QMouseEvent move(QEvent::MouseMove, at, Viewport()->mapToGlobal(at), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Viewport(), &move);
  }
  void Release(int32_t col, int32_t row) {
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(col, row));
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
  QImage Picture() const { return Viewport()->grab().toImage(); }

  TComponentPtr<TForm> form;
  TGrid* grid = nullptr;
};

}  // namespace dravik
