#include "FileProperties.h"

#include "Verdict.h"

#include "core/analysis/TemplateFile.h"
#include "core/app/OperatorFile.h"
#include "core/report/ReportFile.h"
#include "core/text/Cp1250.h"

#include <algorithm>
#include <optional>

namespace welkor::fuzz {

namespace {

// Operator.ini as the operator dialog writes it: "Operator:" and the name,
// each line ended by CR LF.
std::string OperatorIniBytes(const std::string& name) { return JoinReportLines({"Operator:", name}); }

void CheckCp1250(std::string_view bytes, Verdict& verdict)
{
    const std::u16string text = Cp1250ToUtf16(bytes);
    verdict.Expect(text.size() == bytes.size(), "code page 1250 text changed its length on the way to Unicode");
    verdict.Expect(Utf16ToCp1250(text) == bytes,
                   [&] { return "code page 1250 bytes " + Shown(bytes) + " did not come back from Unicode"; });

    // Any Unicode text: a character the code page has comes back as it
    // was, any other as one '?' (a surrogate pair is one character).
    std::u16string unicode;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        unicode.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                static_cast<unsigned char>(bytes[i + 1]) << 8));
    const std::string stored = Utf16ToCp1250(unicode);
    const std::u16string back = Cp1250ToUtf16(stored);
    std::size_t k = 0;
    for (std::size_t i = 0; i < unicode.size(); ++i, ++k) {
        const char16_t unit = unicode[i];
        const bool pair = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < unicode.size() && unicode[i + 1] >= 0xDC00 &&
                          unicode[i + 1] <= 0xDFFF;
        const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
        const char16_t expected = !surrogate && UnicodeToCp1250(unit) >= 0 ? unit : u'?';
        if (!verdict.Expect(k < back.size() && back[k] == expected, [&] {
                return "Unicode character " + std::to_string(unit) + " at " + std::to_string(i) +
                       " did not come back from code page 1250";
            }))
            return;
        if (pair)
            ++i;
    }
    verdict.Expect(k == back.size(), "Unicode text gained characters in code page 1250");
}

} // namespace

std::string CheckTemplateFile(std::string_view bytes)
{
    Verdict verdict;
    // A template opened over the start-up colours and over black cells.
    for (const CellColourArray& start : {DefaultCellColours(), CellColourArray{}}) {
        CellColourArray colours = start;
        DecodeTemplate(bytes, colours);
        const std::string written = EncodeTemplate(colours);
        const std::string before = EncodeTemplate(start);
        if (!verdict.Expect(written.size() == kTemplateFileBytes, "a written template is not 468 bytes"))
            break;
        const std::size_t reached = std::min(bytes.size(), kTemplateFileBytes);
        verdict.Expect(written.compare(0, reached, bytes.substr(0, reached)) == 0,
                       [&] { return "template bytes " + Shown(bytes.substr(0, reached)) + " were not written back"; });
        verdict.Expect(written.compare(reached, std::string::npos, before, reached, std::string::npos) == 0,
                       "cells past the end of a short template changed");

        CellColourArray again{};
        DecodeTemplate(written, again);
        verdict.Expect(again == colours, "a written template reads back as other colours");

        CellColourArray normal = colours;
        NormaliseTemplateColours(normal);
        for (std::size_t r = 0; r < normal.size(); ++r)
            for (std::size_t c = 0; c < normal[r].size(); ++c)
                verdict.Expect(normal[r][c] == (colours[r][c] == kBlack ? kSystemWindow : colours[r][c]),
                               "normalising changed a colour other than black");
    }
    return verdict.Failure();
}

std::string CheckOperatorIni(std::string_view bytes)
{
    Verdict verdict;
    const std::string name = OperatorNameFrom(std::string(bytes));
    verdict.Expect(name.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos,
                   [&] { return "operator name " + Shown(name) + " holds a line end or a NUL"; });
    const ReportLines lines = SplitReportText(bytes);
    verdict.Expect(!name.empty() || lines.size() < 2 || lines[0] != "Operator:" || lines[1].empty(),
                   "a file with a name under \"Operator:\" gave no name");
    verdict.Expect(OperatorNameFrom(std::nullopt) == "Marvant", "no Operator.ini gives no \"Marvant\"");
    // The name holds only what the dialog lets into a name.
    for (char ch : name)
        verdict.Expect(OperatorNameAccepts(Cp1250ToUnicode(static_cast<unsigned char>(ch))),
                       [&] { return "operator name " + Shown(name) + " holds a character the dialog refuses"; });

    // Whatever name was read is written and read back unchanged; so is any
    // one-line text, but for the characters the dialog refuses, which read
    // back as blanks.
    const std::size_t end = bytes.find_first_of(std::string_view("\r\n\0", 3));
    const std::string typed(bytes.substr(0, end));
    for (const std::string& written : {name, typed}) {
        std::string expected = written;
        for (char& ch : expected)
            if (!OperatorNameAccepts(Cp1250ToUnicode(static_cast<unsigned char>(ch))))
                ch = ' ';
        const std::string again = OperatorNameFrom(OperatorIniBytes(written));
        verdict.Expect(again == expected, [&] {
            return "operator " + Shown(written) + " written to Operator.ini reads back as " + Shown(again);
        });
        // The window shows the name in Unicode and keeps it in code page 1250.
        verdict.Expect(Utf16ToCp1250(Cp1250ToUtf16(written)) == written,
                       [&] { return "operator " + Shown(written) + " changed on its way through Unicode"; });
    }
    CheckCp1250(bytes, verdict);
    return verdict.Failure();
}

} // namespace welkor::fuzz
