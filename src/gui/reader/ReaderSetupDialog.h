#pragma once

#include "gui/reader/ReaderLink.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace welkor::gui {

// The reader's set-up: the machine's serial ports with what the system says
// about them (name, description, maker, serial number), the port chosen from
// the list or typed as a device path (a pseudo-terminal or an adapter the
// system does not list), the speed and the waiting time. "Sprawdź
// połączenie" asks the reader its harmless question (ENQ) with the settings
// shown and says whether it answers, or why the port cannot be used.
// "Zapisz" stores the settings through the link (which uses them from the
// next command on) and closes with OK; when they cannot be stored the
// dialog stays open and says why. "Anuluj" (also Escape) changes nothing.
class ReaderSetupDialog : public QDialog {
    Q_OBJECT
public:
    ReaderSetupDialog(ReaderLink& link, QWidget* owner);

    // The settings as the dialog shows them.
    ReaderPortSettings chosenSettings() const;

    void RefreshPorts();
    void CheckConnection();
    void accept() override;

    QTreeWidget* lvPorty = nullptr;
    QLabel* lBrakPortow = nullptr; // shown when the system lists no port
    QPushButton* bOdswiez = nullptr;
    QLineEdit* ePort = nullptr;
    QComboBox* cmbPredkosc = nullptr;
    QDoubleSpinBox* seCzas = nullptr;
    QPushButton* bSprawdz = nullptr;
    QLabel* lWynik = nullptr;   // what the check found, or why storing failed
    QLabel* lZmienna = nullptr; // WELKOR_CZYTNIK overrides the stored port
    QPushButton* bZapisz = nullptr;
    QPushButton* bAnuluj = nullptr;

private:
    void SelectTypedPort();

    ReaderLink& link_;
};

} // namespace welkor::gui
