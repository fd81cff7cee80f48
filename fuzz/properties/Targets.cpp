#include "Targets.h"

#include "FileLayerProperties.h"
#include "FileProperties.h"
#include "NumberProperties.h"
#include "OutputProperties.h"
#include "ReaderProperties.h"
#include "ReportProperties.h"
#include "SessionProperties.h"

namespace welkor::fuzz {

const std::vector<Target>& Targets()
{
    static const std::vector<Target> targets = {
        {"report_file", CheckReportFile},     {"user_session", CheckUserSession},
        {"number_text", CheckNumberText},     {"template_file", CheckTemplateFile},
        {"operator_ini", CheckOperatorIni},   {"reader_transmission", CheckReaderTransmission},
        {"output_formats", CheckOutputFormats},   {"file_layer", CheckFileLayer},
    };
    return targets;
}

const Target* FindTarget(std::string_view name)
{
    for (const Target& target : Targets())
        if (name == target.name)
            return &target;
    return nullptr;
}

} // namespace welkor::fuzz
