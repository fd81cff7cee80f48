#include "core/app/OperatorFile.h"

#include "core/report/ReportFile.h"

namespace welkor {

std::string OperatorNameFrom(const std::optional<std::string>& iniBytes)
{
    if (!iniBytes)
        return "Marvant";
    const ReportLines lines = SplitReportText(*iniBytes);
    if (lines.size() >= 2 && lines[0] == "Operator:")
        return lines[1];
    return std::string();
}

} // namespace welkor
