#pragma once

#include <QString>
#include <QUrl>

namespace welkor::gui {

// What the program asks of the desktop: to register the report file type and
// to open a web page. Tests pass a recording fake.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;

    // Makes documents with the extension open in the program. Throws UserError
    // with the message to show when a step fails; steps done stay done.
    virtual void registerFileType(const QString& extension, const QString& typeName, const QString& description,
                                  const QString& programPath) = 0;

    // Hands the address to the default web browser; false when nothing took it.
    virtual bool openUrl(const QUrl& url) = 0;
};

// The maker's web page ("Strona firmowa"), set when the program is built.
QString MakerWebAddress();

// The running desktop: the registry of the current user on Windows, the
// user's freedesktop folders elsewhere.
class SystemDesktopShell : public DesktopShell {
public:
    void registerFileType(const QString& extension, const QString& typeName, const QString& description,
                          const QString& programPath) override;
    bool openUrl(const QUrl& url) override;
};

} // namespace welkor::gui
