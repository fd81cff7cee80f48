#include "gui/output/PrintSupport.h"

#include "qtbase/UserError.h"

#include <QHash>
#include <QLibrary>

namespace welkor::gui {

const PrintSupport& LoadPrintSupport(const QString& file)
{
    // Loaded once and never unloaded: printers made by it live as long as
    // the window.
    static QHash<QString, const PrintSupport*> loaded;
    if (const PrintSupport* support = loaded.value(file))
        return *support;
    QLibrary module(file);
    auto entry = reinterpret_cast<PrintSupportEntry>(module.resolve(kPrintSupportEntry));
    const PrintSupport* support = entry ? entry() : nullptr;
    if (!support)
        throw UserError(QStringLiteral("Nie można wczytać obsługi drukowania z pliku „%1”:\r\n%2\r\n"
                                       "Drukowanie i podgląd wydruku są niedostępne; pozostałe polecenia działają.")
                            .arg(file, module.errorString()));
    loaded.insert(file, support);
    return *support;
}

} // namespace welkor::gui
