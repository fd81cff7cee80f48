#include "core/report/ReportCheck.h"
#include "core/report/ReportFile.h"

#include <gtest/gtest.h>

using namespace welkor;

namespace {

// A report whose well A1 (or, with last = true, H12: the last token of the
// last value line) reads `value`.
std::string Report(const std::string& value, int valueLines = 12, bool last = false)
{
    std::string out = "h0\r\nh1\r\nh2\r\nh3\r\nDATE: x TIME: y\r\nOPERATOR: z\r\n";
    for (int c = 0; c < valueLines; ++c) {
        std::string line = "K";
        for (int r = 0; r < 8; ++r)
            line += ((last ? c == 11 && r == 7 : c == 0 && r == 0) ? value : std::string(" 0,5")) + "\t";
        out += line + "\r\n";
    }
    for (int c = valueLines; c < 12; ++c)
        out += "bez wartosci\r\n";
    return out;
}

std::string Problem(const std::string& bytes) { return ReportProblem(bytes, SplitReportText(bytes)); }

} // namespace

TEST(ReportCheck, ReportsThatCanBeOpened)
{
    EXPECT_EQ(Problem(Report(" 0,123")), "");
    EXPECT_EQ(Problem(Report(" OVER")), "");    // state words in any letter case
    EXPECT_EQ(Problem(Report(" 1,5E-3")), "");
    EXPECT_EQ(Problem(Report(" 0,5", 1)), "");  // a few values are enough
    EXPECT_EQ(Problem(Report(" 0,5") + std::string(1, '\0') + "\x01\x02 binary tail"), ""); // NUL ends the text
    // A stray form feed, an escape or a DOS end-of-file byte is just text.
    EXPECT_EQ(Problem("h0\f\x1B[1m\r\n" + Report(" 0,5").substr(4) + "\x1A"), "");
    EXPECT_EQ(Problem(Report(" 0,5") + "uwaga\x7F\x0B\r\n"), "");
}

TEST(ReportCheck, RefusesWhatIsNotAReport)
{
    EXPECT_NE(Problem(""), "");
    EXPECT_NE(Problem(std::string(40, '\n')), "");                              // no value at all
    EXPECT_NE(Problem(Report(" 0,5", 0)), "");                                  // 18 lines, no value
    EXPECT_NE(Problem(Report(" 0,5").substr(0, 60)), "");                       // short
    // A file that is no report and holds control bytes is called binary.
    EXPECT_EQ(Problem(Report(" 0,5\x01")), "Plik nie jest raportem z pomiaru: zawiera dane binarne.");
    EXPECT_EQ(Problem(std::string("\x89PNG\r\n\x1A\n") + std::string(200, '\x03')),
              "Plik nie jest raportem z pomiaru: zawiera dane binarne.");
    EXPECT_NE(Problem(Report(" ")), "");        // a lone blank could not be coloured either
    // The plate and the range hold doubles: a larger number is refused by name.
    EXPECT_EQ(Problem(Report(" 1E309")),
              "Plik nie jest raportem z pomiaru: wiersz 7 zawiera liczb\xEA ' 1E309' spoza zakresu od -1,7E308 do 1,7E308.");
    EXPECT_EQ(Problem(Report(" -1,7E308")), "");
    EXPECT_EQ(Problem(Report(" 1.5")),                                         // full stop, not a comma
              "Plik nie jest raportem z pomiaru: wiersz 7 zawiera warto\x9C\xE6 ' 1.5', kt\xF3ra nie jest liczb\xB9."
              " Liczby zapisuje si\xEA z przecinkiem dziesi\xEAtnym: 1,5 zamiast 1.5.");
    // Every value line is checked to its last token.
    EXPECT_EQ(Problem(Report(" abc", 12, true)),
              "Plik nie jest raportem z pomiaru: wiersz 18 zawiera warto\x9C\xE6 ' abc', kt\xF3ra nie jest liczb\xB9.");
    // A value that is no number at all gets no hint.
    EXPECT_EQ(Problem(Report(" abc")),
              "Plik nie jest raportem z pomiaru: wiersz 7 zawiera warto\x9C\xE6 ' abc', kt\xF3ra nie jest liczb\xB9.");
}
