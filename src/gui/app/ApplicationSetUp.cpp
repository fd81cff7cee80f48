#include "gui/app/ApplicationSetUp.h"

#include "gui/app/FontConfigWarmUp.h"
#include "gui/artwork/ToolbarIcons.h"
#include "gui/widgets/DeferredIconStyle.h"
#include "gui/widgets/Fonts.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace welkor::gui {

void SetUpApplication(FontConfigWarmUp& fonts)
{
    // No application display name: Qt would append it to every window title
    // that does not already end with it ("... - pomiar.rap — Welkor Lumo 1").
    // The window and each dialog carry their own full captions.

    // The program speaks Polish, and so do Qt's own dialogs and buttons.
    auto* qtPolish = new QTranslator(qApp);
    if (qtPolish->load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtPolish);

    QApplication::setDesktopFileName(QStringLiteral("welkor-lumo")); // ties the window to its desktop entry
    QApplication::setWindowIcon(QIcon(MakeEmblem(QSize(64, 64))));

    UseGenericFaces(fonts.GenericFaces());
    NameApplicationFontByFace();
    QApplication::setStyle(new DeferredIconStyle(QApplication::style()));
}

} // namespace welkor::gui
