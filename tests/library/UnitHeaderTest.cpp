// The units' version headers: the parse of one header in every shape it comes in, and the
// headers this build registered from git.

#include <gtest/gtest.h>

#include "library/UnitHeader.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/system/SysUtils.h"

using namespace dravik;

namespace {

double At(int year, int month, int day, int hour, int minute) {
  double date = 0;
  EXPECT_TRUE(TryEncodeDate(year, month, day, date));
  return date + (hour * 60 + minute) / 1440.0;
}

}  // namespace

TEST(UnitHeader, ParsesBothDateOrdersAndTwelveHourTimes) {
  struct TCase {
    const char* Text;
    const char* Path;
    const char* FileName;
    const char* Revision;
    double DateTime;
  };
  const TCase cases[] = {
      {"$Header: /a/B 7 1.2.99 9:05 xy $", "/a/B", "B", "7", At(1999, 2, 1, 9, 5)},
      {"$Header: /a/B 7 2/1/99 9:05a xy $", "/a/B", "B", "7", At(1999, 2, 1, 9, 5)},
      {"$Header: /a/B 7 2/1/99 9:05P xy $", "/a/B", "B", "7", At(1999, 2, 1, 21, 5)},
      {"$Header: /a/B 7 2/1/99 12:30am xy $", "/a/B", "B", "7", At(1999, 2, 1, 0, 30)},
      {"$Header: /dravik/library/File Tools.cpp 12-3d07cfe 08.12.26 16:06 dev $",
       "/dravik/library/File Tools.cpp", "File Tools.cpp", "12-3d07cfe", At(2026, 12, 8, 16, 6)},
      {"  $Header: /x/Y.pas   1.3   31.12.1998  23:59   me   $", "/x/Y.pas", "Y.pas", "1.3",
       At(1998, 12, 31, 23, 59)},
  };
  for (const TCase& c : cases) {
    TUnitHeader header;
    ASSERT_TRUE(ExtractHeader(c.Text, header)) << c.Text;
    EXPECT_EQ(header.Path, c.Path) << c.Text;
    EXPECT_EQ(header.FileName, c.FileName) << c.Text;
    EXPECT_EQ(header.Revision, c.Revision) << c.Text;
    EXPECT_NEAR(header.DateTime, c.DateTime, 1e-9) << c.Text;
  }
  TUnitHeader header;
  ASSERT_TRUE(ExtractHeader("$Header: /a/B 7 1.2.99 9:05 xy $", header));
  EXPECT_EQ(header.Date, "1.2.99");
  EXPECT_EQ(header.Time, "9:05");
  EXPECT_EQ(header.Author, "xy");
  EXPECT_EQ(FormatHeaderDateTime(header.DateTime), "1999-02-01  09:05");
}

TEST(UnitHeader, ATextThatIsNoHeaderClearsEveryField) {
  for (const char* text :
       {"", "$", " $", "$Header: /a/B 7 1.2.99 9:05 xy", "$Header: /a/B 7 1.2.99 9:05 xy$",
        "Header: /a/B 7 1.2.99 9:05 xy $", "$Header: a/B 7 1.2.99 9:05 xy $",
        "$Header: /a/B 1.2.99 9:05 xy $",  // a word short: the path becomes the revision
        "$Header: 7 1.2.99 9:05 xy $", "$Header: /a/B 7 31.2.99 9:05 xy $",
        "$Header: /a/B 7 1-2-99 9:05 xy $", "$Header: /a/B 7 1.2.99 25:05 xy $",
        "$Header: /a/B 7 1.2.99 13:05p xy $", "$Header: /a/B 7 1.2.99 nine xy $"}) {
    TUnitHeader header;
    header.Path = header.Author = "left over";
    header.DateTime = 1;
    EXPECT_FALSE(ExtractHeader(text, header)) << text;
    EXPECT_EQ(header.Path, "") << text;
    EXPECT_EQ(header.Author, "") << text;
    EXPECT_EQ(header.DateTime, 0) << text;
  }
}

// Every unit of the build registered a header made from git, and every one parses.
TEST(UnitHeader, EveryUnitOfTheBuildRegistersAHeaderThatParses) {
  TStringList headers;
  GetUnitVersions(headers);
  bool found = false;
  for (int i = 0; i < headers.Count(); ++i) {
    TUnitHeader header;
    EXPECT_TRUE(ExtractHeader(headers.Strings(i), header)) << headers.Strings(i);
    found = found || header.Path == "/dravik/library/UnitHeader.cpp";
  }
  EXPECT_TRUE(found) << "the unit that parses the headers registers its own";
}
