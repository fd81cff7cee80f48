#include "SessionProperties.h"

#include "ReportProperties.h"

#include "core/report/ReportCheck.h"
#include "core/report/ReportFile.h"
#include "core/text/Cp1250.h"

#include <algorithm>
#include <optional>

namespace welkor::fuzz {

namespace {

constexpr std::string_view kReport =
    "Czytnik\tnr 7\r\nProgram: test\r\nPlytka: 1\r\nTryb: pojedynczy\r\n"
    "DATE: 08.12.2026 TIME: 09:12:44\r\nOPERATOR: Anna\r\n"
    "K1 0,050\t 0,060\t 0,055\t 1,250\t 1,300\t 0,700\t blank\t 0,020\t\r\n"
    "K2 0,400\t 0,090\t 0,150\t 2,100\t under\t 0,300\t 0,210\t 0,180\t\r\n"
    "K3 0,110\t 0,120\t 0,130\t 0,140\t 0,150\t 0,160\t 0,170\t over\t\r\n"
    "K4 1\t 2\t 3\t 4\t 5\t 6\t 7\t 8\t\r\n"
    "K5 0,5\t 0,5\t 0,5\t 0,5\t 0,5\t 0,5\t 0,5\t 0,5\t\r\n"
    "K6 -0,1\t 0\t 0,001\t 1,5E-3\t 0,9\t 0,8\t 0,7\t 0,6\t\r\n"
    "K7 0,2\t 0,2\t 0,2\t 0,2\t 0,2\t 0,2\t 0,2\t 0,2\t\r\n"
    "K8 0,3\t 0,3\t 0,3\t 0,3\t 0,3\t 0,3\t 0,3\t 0,3\t\r\n"
    "K9 0,4\t 0,4\t 0,4\t 0,4\t 0,4\t 0,4\t 0,4\t 0,4\t\r\n"
    "K10 0,5\t 0,5\t 0,5\t 0,5\t 0,5\t 0,5\t 0,5\t 0,5\t\r\n"
    "K11 0,6\t 0,6\t 0,6\t 0,6\t 0,6\t 0,6\t 0,6\t 0,6\t\r\n"
    "K12 0,7\t 0,7\t 0,7\t 0,7\t 0,7\t 0,7\t 0,7\t 0,7\t\r\n"
    "Kontrole ujemne A1-C1\r\n";

constexpr std::size_t kMaxCommands = 64;

// Reads the commands and their arguments; past the end every byte is 0.
class Commands {
public:
    explicit Commands(std::string_view bytes) : bytes_(bytes) {}
    bool Done() const { return at_ >= bytes_.size() || count_ >= kMaxCommands; }
    unsigned Next()
    {
        ++count_;
        return Byte();
    }
    unsigned Byte() { return at_ < bytes_.size() ? static_cast<unsigned char>(bytes_[at_++]) : 0u; }
    unsigned Word()
    {
        const unsigned low = Byte();
        return low | Byte() << 8;
    }
    // A text of any bytes, its length in front.
    std::string Text()
    {
        const std::size_t length = std::min<std::size_t>(Byte() % 48, bytes_.size() - std::min(at_, bytes_.size()));
        std::string out(bytes_.substr(at_, length));
        at_ += length;
        return out;
    }
    // Text pasted from another program: any Unicode, two bytes a character,
    // kept in code page 1250 as the window keeps it.
    std::string UnicodeText()
    {
        std::u16string units;
        for (std::size_t n = Byte() % 24; n > 0 && at_ < bytes_.size(); --n)
            units.push_back(static_cast<char16_t>(Word()));
        return Utf16ToCp1250(units);
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
    std::size_t count_ = 0;
};

std::vector<std::string> SplitPasted(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return lines;
}

class Session {
public:
    explicit Session(Verdict& verdict) : verdict_(verdict) {}

    // The plate is checked on the first open; a reopened saved file has the
    // same values (the save round trip holds it to that).
    void Open(const ReportLines& lines, bool checkPlate)
    {
        report_ = OpenLines(lines);
        memo_ = report_.text.comment;
        if (checkPlate)
            CheckRangeAndPlate(report_.values, lower_, upper_, verdict_);
    }

    void Run(Commands& commands)
    {
        while (!commands.Done() && verdict_.Ok()) {
            switch (commands.Next() % 12) {
            case 0: { // a line typed into the comment memo
                const std::size_t at = commands.Byte() % (memo_.size() + 1);
                memo_.insert(memo_.begin() + static_cast<std::ptrdiff_t>(at), commands.Text());
                break;
            }
            case 1: // a comment line typed over
                if (!memo_.empty()) {
                    const std::size_t at = commands.Byte() % memo_.size();
                    memo_[at] = commands.Text();
                }
                break;
            case 2: // a comment line deleted (the heading too)
                if (!memo_.empty())
                    memo_.erase(memo_.begin() + static_cast<std::ptrdiff_t>(commands.Byte() % memo_.size()));
                break;
            case 3: { // text pasted into the comment memo, line breaks and all
                const std::size_t at = commands.Byte() % (memo_.size() + 1);
                const bool unicode = commands.Byte() % 2;
                const std::vector<std::string> lines =
                    SplitPasted(unicode ? commands.UnicodeText() : commands.Text());
                memo_.insert(memo_.begin() + static_cast<std::ptrdiff_t>(at), lines.begin(), lines.end());
                break;
            }
            case 4: { // any text typed into any edit-grid cell, headings too
                std::string& cell = Cell(commands);
                cell = commands.Text();
                break;
            }
            case 5: { // text pasted into a cell
                std::string& cell = Cell(commands);
                cell = commands.UnicodeText();
                break;
            }
            case 6: { // a control or standard mark typed the way users type them
                static const char* const kMarks[] = {"neg",      "poz",       " neg", " poz",       "NEG",
                                                     "Poz",      " neg ",     "neg\t", "std 12,5",  " STD 0.5",
                                                     ("std\xA0" "3"), "std 2,5 ng"};
                std::string& cell = Cell(commands);
                cell = kMarks[commands.Byte() % 12];
                break;
            }
            case 7: // "Analizuj"
                CheckAnalysis(report_.measured, report_.edit, report_.fresh, verdict_);
                break;
            case 8: // "Przenieś"
                report_.fresh = true;
                report_.edit = report_.measured;
                break;
            case 9: // the track bars dragged
                lower_ = static_cast<int>(commands.Word() % 5001);
                upper_ = static_cast<int>(commands.Word() % 5001);
                CheckRangeAndPlate(report_.values, lower_, upper_, verdict_);
                break;
            case 10:
                Save(SaveChecks::Reopen);
                break;
            case 11:
                Reopen();
                break;
            }
        }
        Save(SaveChecks::ReopenAndSaveAgain);
        Reopen();
    }

private:
    std::string& Cell(Commands& commands)
    {
        const std::size_t column = commands.Byte() % kGridColumns;
        const std::size_t row = commands.Byte() % kGridRows;
        return report_.edit[row][column];
    }

    void Save(SaveChecks checks)
    {
        Saved saved;
        saved.comment = {std::string(kCommentHeading)};
        const std::vector<std::string> comment = ExpectedComment(memo_);
        saved.comment.insert(saved.comment.end(), comment.begin(), comment.end());
        saved.grid = ExpectedGrid(report_.edit);
        saved.bytes = CheckSaveRoundTrip(report_, memo_, report_.edit, checks, verdict_);
        saved_ = std::move(saved);
    }

    // "Otwórz" on the file saved last: the window shows what was saved.
    void Reopen()
    {
        if (!saved_)
            return;
        const ReportLines lines = SplitReportText(saved_->bytes);
        if (!verdict_.Expect(ReportProblem(saved_->bytes, lines).empty(), "the saved report cannot be opened"))
            return;
        Open(lines, false);
        verdict_.Expect(memo_ == saved_->comment, "the reopened comment memo is not the saved comment");
        verdict_.Expect(report_.edit == saved_->grid, "the reopened edit grid is not the saved grid");
    }

    struct Saved {
        std::string bytes;
        std::vector<std::string> comment;
        GridTexts grid;
    };

    Verdict& verdict_;
    OpenReport report_;
    std::vector<std::string> memo_;
    std::optional<Saved> saved_;
    int lower_ = 0;
    int upper_ = 77;
};

} // namespace

std::string_view BuiltInSessionReport() { return kReport; }

std::string CheckUserSession(std::string_view input)
{
    Verdict verdict;
    const std::size_t nul = input.find('\0');
    const std::string_view reportBytes = input.substr(0, nul);
    const std::string_view commandBytes = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);

    ReportLines lines = SplitReportText(reportBytes);
    if (!ReportProblem(reportBytes, lines).empty())
        lines = SplitReportText(kReport);

    Session session(verdict);
    session.Open(lines, true);
    Commands commands(commandBytes);
    session.Run(commands);
    return verdict.Failure();
}

} // namespace welkor::fuzz
