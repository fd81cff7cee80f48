// The operator, the desktop (file type, web page), the help and the about box.
#include "gui/shell/DesktopShell.h"
#include "gui/shell/HelpViewer.h"
#include "qtbase/OperatorIni.h"
#include "gui/dialogs/TOWelkor1.h"
#include "gui/dialogs/TOperator_1.h"
#include "gui/app/TWel_Kor.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#ifndef WELKOR_MAKER_URL
#define WELKOR_MAKER_URL "https://www.marvant.example/"
#endif

namespace welkor::gui {

QString MakerWebAddress() { return QStringLiteral(WELKOR_MAKER_URL); }

namespace {

const QString kHelpFile = QStringLiteral("Brosalin 1.html");

} // namespace

void TWel_Kor::WireShellCommands()
{
    auto command = [this](QAction* item, void (TWel_Kor::*handler)()) {
        connect(item, &QAction::triggered, this, [this, handler] { Command([&] { (this->*handler)(); }); });
    };
    command(Operator1, &TWel_Kor::Operator1Click);
    command(Rejestracjatypupliku1, &TWel_Kor::Rejestracjatypupliku1Click);
    command(Pomoc2, &TWel_Kor::Pomoc2Click);
    command(Indeks1, &TWel_Kor::Indeks1Click);
    command(Stronafirmowa1, &TWel_Kor::Stronafirmowa1Click);
    command(OWelkor11, &TWel_Kor::OWelkor11Click);
}

DesktopShell& TWel_Kor::Shell()
{
    static SystemDesktopShell running;
    return services_.shell ? *services_.shell : running;
}

QString TWel_Kor::DataFilePath(const QString& name) const
{
    const QDir programDir(services_.executableDir);
    const QString beside = programDir.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = QDir::cleanPath(programDir.filePath(QStringLiteral("../share/welkor-lumo/") + name));
    return QFileInfo::exists(installed) ? installed : beside;
}

void TWel_Kor::Operator1Click()
{
    TOperator_1 dialog({services_.userConfigDir, services_.executableDir}, *services_.dialogs, this);
    if (services_.dialogs->runModal(dialog) != QDialog::Accepted)
        return;
    operatorName = dialog.operatorName;
    sbPanels[4]->setText(QStringLiteral("Operator: ") + operatorName);
}

void TWel_Kor::Rejestracjatypupliku1Click()
{
    Shell().registerFileType(QStringLiteral(".rap"), QStringLiteral("Plik raportu Welkor"),
                             QStringLiteral("Plik raportu Welkor"), services_.executablePath);
}

void TWel_Kor::ShowHelp(const QString& anchor)
{
    const QString file = DataFilePath(kHelpFile);
    if (!QFileInfo(file).isFile()) {
        services_.dialogs->information(QStringLiteral("Nie znaleziono pliku pomocy:\n")
                                       + QDir::toNativeSeparators(file));
        return;
    }
    if (!helpViewer)
        helpViewer = new HelpViewer(this);
    helpViewer->showTopic(file, anchor);
}

void TWel_Kor::Pomoc2Click() { ShowHelp(QString()); }

void TWel_Kor::Indeks1Click() { ShowHelp(QStringLiteral("indeks")); }

void TWel_Kor::Stronafirmowa1Click()
{
    const QString address = MakerWebAddress();
    if (!Shell().openUrl(QUrl(address)))
        services_.dialogs->information(
            QStringLiteral("Nie udało się otworzyć strony firmowej w przeglądarce.\nAdres strony: ") + address);
}

void TWel_Kor::OWelkor11Click()
{
    TOWelkor1 box(this);
    box.ShowProduct(productCaption);
    services_.dialogs->runModal(box);
}

} // namespace welkor::gui
