// The operator, the desktop (file type, web page), the help and the about box.
#include "gui/shell/ShellCommands.h"

#include "core/app/OperatorFile.h"
#include "gui/app/WindowServices.h"
#include "gui/dialogs/Dialogs.h"
#include "gui/dialogs/TOWelkor1.h"
#include "gui/dialogs/TOperator_1.h"
#include "gui/shell/DesktopShell.h"
#include "gui/shell/HelpViewer.h"
#include "qtbase/OperatorIni.h"
#include "qtbase/QtText.h"
#include "qtbase/UserError.h"

#include <QDir>
#include <QFileInfo>

#ifndef WELKOR_MAKER_URL
#define WELKOR_MAKER_URL "https://www.marvant.example/"
#endif

namespace welkor::gui {

QString MakerWebAddress() { return QStringLiteral(WELKOR_MAKER_URL); }

namespace {

const QString kHelpFile = QStringLiteral("Brosalin 1.html");

} // namespace

ShellCommands::ShellCommands(const WindowServices& services, QWidget& window)
    : services_(services), window_(window)
{
}

QString ShellCommands::ReadOperatorName()
{
    try {
        return ReadOperatorIni({services_.userConfigDir, services_.executableDir});
    } catch (const UserError& e) {
        services_.dialogs->error(e.message());
        return FromCp1250(welkor::OperatorNameFrom(std::nullopt));
    }
}

DesktopShell& ShellCommands::Shell()
{
    static SystemDesktopShell running;
    return services_.shell ? *services_.shell : running;
}

void ShellCommands::Operator1Click()
{
    TOperator_1 dialog({services_.userConfigDir, services_.executableDir}, *services_.dialogs, &window_);
    if (services_.dialogs->runModal(dialog) != QDialog::Accepted)
        return;
    operatorName = dialog.operatorName;
    emit operatorChanged(operatorName);
}

void ShellCommands::Rejestracjatypupliku1Click()
{
    Shell().registerFileType(QStringLiteral(".rap"), QStringLiteral("Plik raportu Welkor"),
                             QStringLiteral("Plik raportu Welkor"), services_.executablePath);
}

void ShellCommands::ShowHelp(const QString& anchor)
{
    const QString file = services_.DataFilePath(kHelpFile);
    if (!QFileInfo(file).isFile()) {
        services_.dialogs->information(QStringLiteral("Nie znaleziono pliku pomocy:\n")
                                       + QDir::toNativeSeparators(file));
        return;
    }
    if (!helpViewer)
        helpViewer = new HelpViewer(&window_);
    helpViewer->showTopic(file, anchor);
}

void ShellCommands::Pomoc2Click() { ShowHelp(QString()); }

void ShellCommands::Indeks1Click() { ShowHelp(QStringLiteral("indeks")); }

void ShellCommands::Stronafirmowa1Click()
{
    const QString address = MakerWebAddress();
    if (!Shell().openUrl(QUrl(address)))
        services_.dialogs->information(
            QStringLiteral("Nie udało się otworzyć strony firmowej w przeglądarce.\nAdres strony: ") + address);
}

void ShellCommands::OWelkor11Click()
{
    TOWelkor1 box(&window_);
    box.ShowProduct(kProductCaption);
    services_.dialogs->runModal(box);
}

} // namespace welkor::gui
