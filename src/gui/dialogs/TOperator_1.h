#pragma once

#include "qtbase/OperatorIni.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace welkor::gui {

class Dialogs;

// The operator dialog: one edit field with the name stored in Operator.ini.
// "Zatwierdź" (also Enter) writes the file and closes with OK; "Odrzuć"
// (also Escape and the close box) closes and changes nothing. Each opening
// reads the file again, so it shows the stored name.
class TOperator_1 : public QDialog {
    Q_OBJECT
public:
    TOperator_1(const OperatorIniPlaces& places, Dialogs& dialogs, QWidget* owner);

    void FormCreate();
    void eOperatorChange();
    void Button1Click();
    void Button2Click();

    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* eOperator = nullptr;
    QLabel* lPominiete = nullptr; // names what was typed but cannot be stored
    QPushButton* Button1 = nullptr; // "Zatwierdź"
    QPushButton* Button2 = nullptr; // "Odrzuć"

    QString operatorName; // follows the edit field

private:
    OperatorIniPlaces places_;
    Dialogs& dialogs_;
};

} // namespace welkor::gui
