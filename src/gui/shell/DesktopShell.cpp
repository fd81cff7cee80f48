#include "gui/shell/DesktopShell.h"

#include "gui/shell/TypPliku.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace welkor::gui {

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

namespace {

// Qt hands a web address to xdg-open and counts starting it as success, even
// when xdg-open then finds no browser. Whether anything could take the page
// is asked first, the way xdg-open itself looks: the browser variables, the
// desktop's handler for web addresses and the usual browser commands.
bool SomethingOpensWebPages()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!qEnvironmentVariableIsEmpty("BROWSER") || !qEnvironmentVariableIsEmpty("DEFAULT_BROWSER"))
        return true;
    for (const char* browser : {"x-www-browser", "www-browser", "firefox", "firefox-esr",
                                "chromium", "chromium-browser", "google-chrome", "epiphany", "konqueror", "falkon"})
        if (!QStandardPaths::findExecutable(QString::fromLatin1(browser)).isEmpty())
            return true;
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true; // no way to tell: let the desktop try
    QProcess query;
    query.start(xdgMime,
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/https")});
    return !query.waitForFinished(10 * 1000) || !query.readAllStandardOutput().trimmed().isEmpty();
#else
    return true;
#endif
}

} // namespace

bool SystemDesktopShell::openUrl(const QUrl& url) { return SomethingOpensWebPages() && QDesktopServices::openUrl(url); }

} // namespace welkor::gui
