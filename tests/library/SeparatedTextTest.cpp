// Rows of cells from text, without a grid: line ends of every kind, legacy 8-bit text, bounds.

#include <gtest/gtest.h>

#include "library/SeparatedText.h"
#include "platform/core/system/Exceptions.h"

using namespace dravik;

TEST(SeparatedText, EveryKindOfLineEndEndsARowAndAFinalOneAddsNone) {
  const TSeparatedText text = SplitSeparatedText("a\rb\r\nc\n\nd\r\n", ',', 1, 1, "t");
  EXPECT_EQ(text.Cols, 1);
  EXPECT_EQ(text.Rows, 5);
  EXPECT_EQ(text.Cells, (std::vector<std::string>{"a", "b", "c", "", "d"}));
  const TSeparatedText empty = SplitSeparatedText("", ',', 2, 3, "t");
  EXPECT_EQ(empty.Cols, 2);
  EXPECT_EQ(empty.Rows, 3);
  EXPECT_EQ(empty.Cells.size(), 6u);
}

TEST(SeparatedText, RowsAreAsWideAsTheWidestAndLegacyTextIsRead) {
  const TSeparatedText text = SplitSeparatedText("Gr\xFC\xDF;e\n;;;", ';', 1, 1, "t");
  EXPECT_EQ(text.Cols, 4);
  EXPECT_EQ(text.Cells[0], "Gr\xC3\xBC\xC3\x9F");  // Windows-1252 as UTF-8
  EXPECT_EQ(text.Cells[1], "e");
  EXPECT_EQ(text.Cells[2], "");
  EXPECT_EQ(text.Cells[7], "");
}

TEST(SeparatedText, NoTextAndTooManyCellsAreRefusedByName) {
  try {
    SplitSeparatedText(std::string("a\0b", 3), ';', 1, 1, "data.bin");
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Cannot load data.bin into the grid: it is not a text file");
  }
  // Refused before a cell is made: 4097 rows of 4096 columns.
  try {
    SplitSeparatedText(std::string(4095, ';'), ';', 1, 4097, "wide.txt");
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(),
              "Cannot load wide.txt into the grid: 4097 rows of 4096 columns are more than "
              "16777216 cells");
  }
}
