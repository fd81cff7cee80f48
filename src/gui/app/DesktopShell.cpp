#include "gui/app/DesktopShell.h"

#include "gui/app/TypPliku.h"

#include <QDesktopServices>
#include <QDir>

void SystemDesktopShell::registerFileType(const QString& extension, const QString& typeName,
                                          const QString& description, const QString& programPath)
{
#ifdef Q_OS_WIN
    NativeRegistry registry;
    RegisterWindowsFileType(registry, extension, typeName, description, QDir::toNativeSeparators(programPath));
#else
    // The freedesktop type is named after the extension; the description
    // becomes its comment.
    Q_UNUSED(typeName);
    RegisterFreedesktopFileType(FreedesktopPlaces::ForCurrentUser(), extension, description, programPath);
#endif
}

bool SystemDesktopShell::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }
