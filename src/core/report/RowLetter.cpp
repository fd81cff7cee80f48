#include "core/report/RowLetter.h"

namespace welkor {

void RowLetter(int index, std::string& out)
{
    if (index < 0 || index > 8)
        return;
    out.assign(1, static_cast<char>('A' + index));
}

} // namespace welkor
