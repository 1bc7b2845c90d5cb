#pragma once
// The version list's rules as plain functions: the rows made of the units' headers, their
// order by a column, and the text file the list is saved as.

#include <string>
#include <vector>

namespace dravik {

// One unit's row: the file name, then the columns Version, Last change, Last user, Archives.
struct TVersionRow {
  std::string Unit, Version, LastChange, LastUser, Archives;
  const std::string& Column(int index) const;
};

// A row for each header that parses, in the order given; invalid counts the others.
std::vector<TVersionRow> VersionRows(const std::vector<std::string>& headers, int& invalid);
// Sorts by column 0 to 4: Unit compares the file names, Version the revisions' leading numbers
// (a revision without one compares as 0), the others their texts.
void SortVersionRows(std::vector<TVersionRow>& rows, int column, bool descending);
// Every row on one line, each column filled up with blanks to its widest text plus 2.
std::string VersionListText(const std::vector<TVersionRow>& rows);

}  // namespace dravik
