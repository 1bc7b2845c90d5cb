// Pictures of the grids for a person to look at: a marking grid with marks and highlighted
// cells, and a grid with bevels and aligned texts, saved under build/screenshots.

#include <QDir>

#include "tests/widgets/SortGridFixture.h"
#include "widgets/SortGridEx.h"

using namespace dravik;

namespace {

const std::string kFolder = std::string(DRAVIK_BIN_DIR) + "/../screenshots";

class TLook : public TObject {
 public:
  void HighLight(TObject*, int32_t col, int32_t row, bool& highLight) {
    highLight = row == 3 && col >= 2;
  }
  // Numbers to the right; the header bold and centred.
  void Format(TObject*, int32_t col, int32_t row, TGridDrawState, TFormatOptions& format) {
    if (row == 0) {
      format.Font->SetStyle({fsBold});
      format.AlignmentHorz = taCenter;
      format.Bevel = cbNone;
    } else if (col == 2) {
      format.AlignmentHorz = taRightJustify;
    }
  }
};

void Fill(TStringGrid* grid, const std::vector<std::vector<std::string>>& rows) {
  grid->SetRowCount(static_cast<int32_t>(rows.size()));
  grid->SetColCount(static_cast<int32_t>(rows[0].size()));
  for (std::size_t row = 0; row < rows.size(); ++row)
    for (std::size_t col = 0; col < rows[row].size(); ++col)
      grid->SetCells(static_cast<int32_t>(col), static_cast<int32_t>(row), rows[row][col]);
}

using Screenshots = GridOnForm<TSortGridEx>;
using BevelScreenshots = GridOnForm<TSortGrid>;

}  // namespace

TEST_F(Screenshots, AMarkedGridWithHighlightedCells) {
  TLook look;
  grid->OnHighLightQuery = TOnHighLightQuery::Of<&TLook::HighLight>(&look);
  Fill(grid, {{"Property", "English", "Deutsch", "Français"},
              {"Caption", "", "", ""},
              {"Hint", "", "", ""},
              {"Items", "", "", ""},
              {"Text", "", "", ""}});
  for (auto [col, row] : {std::pair{1, 1}, {2, 1}, {3, 1}, {1, 2}, {3, 3}, {2, 4}})
    grid->SetSelected(col, row, true);
  GridFontChanged(grid);
  for (int32_t col = 1; col < grid->ColCount(); ++col) grid->SetColWidths(col, 72);
  const int32_t frame = 2 * grid->View()->frameWidth();
  grid->SetBounds(0, 0, grid->ColWidths(0) + 3 * 72 + frame, 5 * grid->DefaultRowHeight() + frame);
  ASSERT_TRUE(QDir().mkpath(QText(kFolder)));
  const QImage image = grid->View()->grab().toImage();
  EXPECT_TRUE(image.save(QText(kFolder + "/grid-marked.png")));
  EXPECT_TRUE(Shown.empty());
}

TEST_F(BevelScreenshots, RaisedCellsWithAlignedTexts) {
  TLook look;
  grid->OnGetCellFormat = TFormatDrawCellEvent::Of<&TLook::Format>(&look);
  Fill(grid, {{"", "Language", "Strings", "Checked"},
              {"1", "English", "1204", "2024-03-01"},
              {"2", "Deutsch", "987", "2024-02-17"},
              {"3", "Français", "15", "2023-12-31"},
              {"4", "Español", "1100", "2024-01-09"}});
  grid->SetBevelStyle(cbRaised);
  grid->SetAlignmentVert(taMiddle);
  grid->SetColor(clBtnFace);
  grid->SetDefaultRowHeight(30);
  grid->AutoSizeColumns(true, 16);
  const int32_t frame = 2 * grid->View()->frameWidth();
  int32_t width = frame;
  for (int32_t col = 0; col < grid->ColCount(); ++col) width += grid->ColWidths(col);
  grid->SetBounds(0, 0, width, 5 * 30 + frame);
  grid->SortByColumn(2, {ssAutomatic, sdDescending, false});
  ASSERT_TRUE(QDir().mkpath(QText(kFolder)));
  const QImage image = grid->View()->grab().toImage();
  EXPECT_TRUE(image.save(QText(kFolder + "/grid-bevels.png")));
  EXPECT_EQ(grid->Cells(1, 1), "English");  // 1204 strings come first
  EXPECT_TRUE(Shown.empty());
}

TEST_F(BevelScreenshots, ALongGridScrolledDownKeepsItsFixedRowAndColumn) {
  grid->SetColCount(4);
  grid->SetRowCount(1001);
  grid->SetCells(1, 0, "Name");
  grid->SetCells(2, 0, "Value");
  grid->SetCells(3, 0, "Note");
  for (int32_t row = 1; row <= 1000; ++row) {
    grid->SetCells(0, row, std::to_string(row));
    grid->SetCells(1, row, "Entry " + std::to_string(row));
    grid->SetCells(2, row, std::to_string(row * 7 % 1000));
  }
  grid->SetProportionalScrollBars(true);
  grid->SetBounds(0, 0, 300, 200);
  grid->SetTopRow(500);
  ASSERT_TRUE(QDir().mkpath(QText(kFolder)));
  const QImage image = grid->View()->grab().toImage();
  EXPECT_TRUE(image.save(QText(kFolder + "/grid-scrolled.png")));
  EXPECT_EQ(grid->CellRect(1, 0).Top, 0);
}
