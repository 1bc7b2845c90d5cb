#include "widgets/VersionInfoRules.h"

#include <algorithm>

#include "library/UnitHeader.h"

namespace dravik {

namespace {

constexpr int kColumns = 5;

// The digits at the start of a revision ("12-3d07cfe" is 12); 0 when there are none.
long long LeadingNumber(const std::string& text) {
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || value > 1'000'000'000'000LL) break;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

const std::string& TVersionRow::Column(int index) const {
  switch (index) {
    case 0:
      return Unit;
    case 1:
      return Version;
    case 2:
      return LastChange;
    case 3:
      return LastUser;
    default:
      return Archives;
  }
}

std::vector<TVersionRow> VersionRows(const std::vector<std::string>& headers, int& invalid) {
  std::vector<TVersionRow> rows;
  invalid = 0;
  for (const std::string& text : headers) {
    TUnitHeader header;
    if (!ExtractHeader(text, header)) {
      ++invalid;
      continue;
    }
    const std::size_t slash = header.Path.find_last_of('/');
    rows.push_back({header.FileName, header.Revision, FormatHeaderDateTime(header.DateTime),
                    header.Author, header.Path.substr(0, slash == 0 ? 1 : slash)});
  }
  return rows;
}

void SortVersionRows(std::vector<TVersionRow>& rows, int column, bool descending) {
  auto less = [column](const TVersionRow& a, const TVersionRow& b) {
    if (column == 1) return LeadingNumber(a.Version) < LeadingNumber(b.Version);
    return a.Column(column) < b.Column(column);
  };
  std::stable_sort(rows.begin(), rows.end(), [&](const TVersionRow& a, const TVersionRow& b) {
    return descending ? less(b, a) : less(a, b);
  });
}

std::string VersionListText(const std::vector<TVersionRow>& rows) {
  std::size_t widths[kColumns] = {};
  for (const TVersionRow& row : rows)
    for (int c = 0; c < kColumns; ++c) widths[c] = std::max(widths[c], row.Column(c).size());
  std::string text;
  for (const TVersionRow& row : rows) {
    for (int c = 0; c < kColumns; ++c) {
      text += row.Column(c);
      text.append(widths[c] + 2 - row.Column(c).size(), ' ');
    }
    text += "\n";
  }
  return text;
}

}  // namespace dravik
