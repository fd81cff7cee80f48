#include "core/app/OperatorFile.h"

#include "core/report/ReportFile.h"
#include "core/text/Cp1250.h"

namespace welkor {

std::string OperatorNameFrom(const std::optional<std::string>& iniBytes)
{
    if (!iniBytes)
        return "Marvant";
    const ReportLines lines = SplitReportText(*iniBytes);
    if (lines.size() < 2 || lines[0] != "Operator:")
        return std::string();
    // What the dialog would not let into a name (a control character, a
    // byte the code page leaves unassigned) shows as a blank, not a box.
    std::string name = lines[1];
    for (char& ch : name)
        if (!OperatorNameAccepts(Cp1250ToUnicode(static_cast<unsigned char>(ch))))
            ch = ' ';
    return name;
}

std::string OperatorIniBytes(const std::string& name) { return "Operator:\r\n" + name + "\r\n"; }

bool OperatorNameAccepts(char32_t codePoint)
{
    const bool control = codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
    return !control && UnicodeToCp1250(codePoint) >= 0;
}

} // namespace welkor
