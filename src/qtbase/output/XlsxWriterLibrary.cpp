#include "qtbase/output/XlsxWriterLibrary.h"

#include "qtbase/UserError.h"

#include <mutex>

#ifndef _WIN32
#include <dlfcn.h>
#endif

#ifndef WELKOR_XLSXWRITER_SONAME
#define WELKOR_XLSXWRITER_SONAME "libxlsxwriter.so"
#endif
#ifndef WELKOR_XLSXWRITER_PACKAGE
#define WELKOR_XLSXWRITER_PACKAGE "libxlsxwriter"
#endif

QString LoadXlsxWriter(const char* fileName, XlsxWriterLibrary& library)
{
#ifdef _WIN32
    // Linked with the program: there is no start-up to spare on Windows.
    (void)fileName;
#define WELKOR_XLSXWRITER_LINKED(name) library.name = &::name;
    WELKOR_XLSXWRITER_FUNCTIONS(WELKOR_XLSXWRITER_LINKED)
#undef WELKOR_XLSXWRITER_LINKED
    return {};
#else
    // Kept loaded for the rest of the session, like a linked library.
    void* handle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return QStringLiteral("nie można wczytać biblioteki %1 (%2). Zainstaluj pakiet %3.")
            .arg(QString::fromLocal8Bit(fileName), QString::fromLocal8Bit(dlerror()),
                 QStringLiteral(WELKOR_XLSXWRITER_PACKAGE));
    XlsxWriterLibrary loaded;
    QString missing;
#define WELKOR_XLSXWRITER_SYMBOL(name)                                                                                \
    loaded.name = reinterpret_cast<decltype(loaded.name)>(dlsym(handle, #name));                                      \
    if (loaded.name == nullptr && missing.isEmpty())                                                                   \
        missing = QStringLiteral(#name);
    WELKOR_XLSXWRITER_FUNCTIONS(WELKOR_XLSXWRITER_SYMBOL)
#undef WELKOR_XLSXWRITER_SYMBOL
    if (!missing.isEmpty()) {
        dlclose(handle);
        return QStringLiteral("biblioteka %1 nie ma funkcji %2: to inna wersja niż ta, z którą zbudowano program.")
            .arg(QString::fromLocal8Bit(fileName), missing);
    }
    library = loaded;
    return {};
#endif
}

const XlsxWriterLibrary& XlsxWriter()
{
    // A failed load is tried again at the next workbook (the user may install
    // the package meanwhile); a loaded one stays.
    static XlsxWriterLibrary library;
    static bool loaded = false;
    static std::mutex guard;
    const std::lock_guard lock(guard);
    if (!loaded) {
        if (const QString reason = LoadXlsxWriter(WELKOR_XLSXWRITER_SONAME, library); !reason.isEmpty())
            throw UserError(QStringLiteral("Nie można utworzyć skoroszytu programu Excel: ") + reason);
        loaded = true;
    }
    return library;
}
