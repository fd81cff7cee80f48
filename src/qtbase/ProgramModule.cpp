#include "qtbase/ProgramModule.h"

#include "qtbase/UserError.h"

#include <QLibrary>

void* ProgramModuleEntry(const QString& file, const char* entry, const QString& what, const QString& consequence)
{
    // The library stays loaded after the QLibrary is gone: what it made
    // lives on in the window.
    QLibrary module(file);
    if (QFunctionPointer function = module.resolve(entry))
        return reinterpret_cast<void*>(function);
    throw UserError(QStringLiteral("Nie można wczytać %1 z pliku „%2”:\r\n%3\r\n%4")
                        .arg(what, file, module.errorString(), consequence));
}

