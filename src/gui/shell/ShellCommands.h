#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace welkor::gui {

class DesktopShell;
class HelpViewer;
struct WindowServices;

// The application shell's commands: the operator ("Operator"), the file
// type ("Rejestracja typu pliku"), the help ("Pomoc", "Indeks"), the maker's
// page ("Strona firmowa") and the about box ("O Welkor Lumo 1"). The
// operator dialog, the help window and the about box are made when opened.
class ShellCommands : public QObject {
    Q_OBJECT
public:
    ShellCommands(const WindowServices& services, QWidget& window);

    // The operator's name from Operator.ini, or "Marvant" (a start-up step).
    // A file that cannot be read is reported, and start-up goes on with the
    // name of no file.
    QString ReadOperatorName();

    void Operator1Click();
    void Rejestracjatypupliku1Click();
    void Pomoc2Click();
    void Indeks1Click();
    void Stronafirmowa1Click();
    void OWelkor11Click();

    QString operatorName;
    HelpViewer* helpViewer = nullptr; // made at the first "Pomoc" or "Indeks"

signals:
    // The operator dialog was confirmed with this name.
    void operatorChanged(const QString& name);

private:
    DesktopShell& Shell();
    void ShowHelp(const QString& anchor);

    const WindowServices& services_;
    QWidget& window_;
};

} // namespace welkor::gui
