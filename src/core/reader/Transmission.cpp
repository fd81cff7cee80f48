#include "core/reader/Transmission.h"

#include "core/report/ReportCheck.h"
#include "core/report/ReportFile.h"

namespace welkor {

namespace {

constexpr char kEtx = 0x03;
constexpr char kCr = 0x0D;
constexpr char kTab = '\t';

// A control byte other than the tab cannot stay in a report line: a line
// feed would split the line when the file is read back, the rest would make
// the file look binary.
char TextByte(char ch)
{
    const auto byte = static_cast<unsigned char>(ch);
    return ((byte < 0x20 && ch != kTab) || byte == 0x7F) ? ' ' : ch;
}

std::string PlainText(std::string_view text)
{
    std::string out(text);
    for (char& ch : out)
        ch = TextByte(ch);
    return out;
}

// The report check speaks of a file; here the bytes came over the link.
std::string Refusal(const std::string& reason)
{
    static constexpr std::string_view kFileWords = "Plik nie jest raportem z pomiaru: ";
    std::string text(kTransmissionRefused);
    if (reason.empty())
        return text;
    text += '\n';
    if (reason.compare(0, kFileWords.size(), kFileWords) == 0)
        text += "Odebrane dane nie s\xB9 raportem z pomiaru: " + reason.substr(kFileWords.size());
    else
        text += reason;
    return text;
}

} // namespace

bool EndsWithEndSequence(std::string_view bytes)
{
    return bytes.size() >= kEndSequence.size() && bytes.substr(bytes.size() - kEndSequence.size()) == kEndSequence;
}

bool IsCompleteFrame(std::string_view bytes)
{
    return bytes.size() > kEndSequence.size() && bytes.front() == ' ' && EndsWithEndSequence(bytes);
}

TransmissionResult ConvertTransmission(std::string_view transmission, std::string_view date, std::string_view time,
                                       std::string_view operatorName)
{
    TransmissionResult result;
    if (!IsCompleteFrame(transmission)) {
        result.problem = kTransmissionRefused;
        return result;
    }

    ReportLines lines;
    std::string current;
    for (char ch : transmission.substr(1, transmission.size() - 1 - kEndSequence.size())) {
        if (ch == kEtx) {
            lines.push_back(std::move(current));
            current.clear();
        } else if (ch == kCr) {
            current += kTab;
        } else if (ch == '.') {
            current += ',';
        } else {
            current += TextByte(ch);
        }
    }
    current += kTab;
    lines.push_back(std::move(current));

    if (std::string shortage = CheckReportContent(lines); !shortage.empty()) {
        result.problem = Refusal(shortage);
        return result;
    }
    lines[4] = "DATE: " + PlainText(date) + " TIME: " + PlainText(time);
    lines[5] = "OPERATOR: " + PlainText(operatorName);
    lines.emplace_back(kTransmissionSucceeded);

    if (std::string problem = ReportProblem(JoinReportLines(lines), lines); !problem.empty()) {
        result.problem = Refusal(problem);
        return result;
    }
    result.lines = std::move(lines);
    return result;
}

std::string FrameTransmission(const ReportLines& lines)
{
    std::string frame = " ";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        const bool last = i + 1 == lines.size();
        if (last && !line.empty() && line.back() == kTab)
            line.remove_suffix(1);
        for (char ch : line)
            frame += ch == kTab ? kCr : ch == ',' ? '.' : ch;
        if (!last)
            frame += kEtx;
    }
    frame += kEndSequence;
    return frame;
}

} // namespace welkor
