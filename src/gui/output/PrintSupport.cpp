#include "gui/output/PrintSupport.h"

#include "qtbase/ProgramModule.h"

#include <QHash>

namespace welkor::gui {

const PrintSupport& LoadPrintSupport(const QString& file)
{
    // Loaded once: printers made by it live as long as the window.
    static QHash<QString, const PrintSupport*> loaded;
    if (const PrintSupport* support = loaded.value(file))
        return *support;
    const auto entry = reinterpret_cast<PrintSupportEntry>(ProgramModuleEntry(
        file, kPrintSupportEntry, QStringLiteral("obsługi drukowania"),
        QStringLiteral("Drukowanie i podgląd wydruku są niedostępne; pozostałe polecenia działają.")));
    const PrintSupport* support = entry();
    loaded.insert(file, support);
    return *support;
}

} // namespace welkor::gui
