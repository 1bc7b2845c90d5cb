#pragma once
// The units' version headers read back: each parsed into its path, file name, revision, date,
// time and author, for the version dialog and `dravik versions`.

#include <string>
#include <string_view>

namespace dravik {

class TStrings;

struct TUnitHeader {
  std::string Path;      // the archive path with the file name: "/dravik/library/FileTools.cpp"
  std::string FileName;  // after the path's last "/"
  std::string Revision, Date, Time, Author;
  double DateTime = 0;  // date and time as one TDateTime
};

// Parses "$Header: /PATH REVISION DATE TIME AUTHOR $". The date is read day first with "."
// ("1.2.99"), else month first with "/" ("2/1/99"); a time may end in "a" or "p" ("9:05p").
// Two-digit years below 50 are this century's. False, with every field cleared, for a text
// that is no such header.
bool ExtractHeader(std::string_view text, TUnitHeader& header);
// Appends every registered header to list, in registration order.
void GetUnitVersions(TStrings& list);
// "yyyy-mm-dd  hh:nn": the date-time as the version list shows it.
std::string FormatHeaderDateTime(double dateTime);

}  // namespace dravik
