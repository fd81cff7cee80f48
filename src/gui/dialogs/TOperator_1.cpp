#include "gui/dialogs/TOperator_1.h"

#include "core/app/OperatorFile.h"
#include "gui/dialogs/Dialogs.h"
#include "gui/widgets/Fonts.h"
#include "qtbase/UserError.h"
#include "qtbase/QtText.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include <functional>
#include <utility>

namespace welkor::gui {

namespace {

// Lets into the name only what Operator.ini can hold; anything else typed or
// pasted is left out, the rest of the input kept, and what was left out is
// handed to `leftOut` so the dialog can say it.
class OperatorNameValidator : public QValidator {
public:
    OperatorNameValidator(std::function<void(const QString&)> leftOut, QObject* parent)
        : QValidator(parent), leftOut_(std::move(leftOut))
    {
    }

    State validate(QString& input, int& pos) const override
    {
        QString kept;
        QStringList dropped;
        kept.reserve(input.size());
        int newPos = pos;
        for (qsizetype i = 0; i < input.size();) {
            char32_t codePoint = input[i].unicode();
            qsizetype units = 1;
            if (input[i].isHighSurrogate() && i + 1 < input.size() && input[i + 1].isLowSurrogate()) {
                codePoint = QChar::surrogateToUcs4(input[i], input[i + 1]);
                units = 2;
            }
            if (welkor::OperatorNameAccepts(codePoint))
                kept.append(input.mid(i, units));
            else {
                const QString character = input.mid(i, units);
                if (!dropped.contains(character))
                    dropped.append(character);
                if (i < pos)
                    newPos -= static_cast<int>(units);
            }
            i += units;
        }
        if (!dropped.isEmpty())
            leftOut_(dropped.join(QLatin1Char(' ')));
        input = kept;
        pos = newPos;
        return Acceptable;
    }

private:
    std::function<void(const QString&)> leftOut_;
};

// A control character is named, not shown (it would not be seen).
QString Visible(const QString& characters)
{
    QString out;
    for (const QChar ch : characters) {
        if (ch.category() == QChar::Other_Control)
            out += QStringLiteral("U+") + QString::number(ch.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
        else
            out += ch;
    }
    return out;
}

} // namespace

TOperator_1::TOperator_1(const OperatorIniPlaces& places, Dialogs& dialogs, QWidget* owner)
    : QDialog(owner), places_(places), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("Operator_1"));
    setWindowTitle(QStringLiteral("Operator"));
    // Fixed frame with the close box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QFont font = FontOf(WindowFamilies());
    font.setPointSize(8);
    setFont(font);
    setFixedSize(309, 130); // 317 x 157 with the frame and title bar

    GroupBox1 = new QGroupBox(QStringLiteral("Operator"), this);
    GroupBox1->setGeometry(16, 16, 281, 65);
    eOperator = new QLineEdit(QStringLiteral("Marvant"), GroupBox1);
    eOperator->setGeometry(16, 24, 241, 21);
    // What the file cannot hold is left out of the name, and said below it.
    lPominiete = new QLabel(GroupBox1);
    lPominiete->setGeometry(16, 46, 257, 16);
    lPominiete->setTextFormat(Qt::PlainText);
    lPominiete->setStyleSheet(QStringLiteral("color: #b00000"));
    eOperator->setValidator(new OperatorNameValidator(
        [this](const QString& characters) {
            lPominiete->setText(QStringLiteral("Pominięto znaki nie do zapisania: ") + Visible(characters));
            lPominiete->setToolTip(QStringLiteral("Plik Operator.ini (strona kodowa 1250) nie pomieści tych znaków."));
        },
        eOperator));
    Button1 = new QPushButton(QStringLiteral("Zatwierdź"), this);
    Button1->setGeometry(224, 96, 75, 25);
    Button1->setDefault(true); // Enter confirms
    Button2 = new QPushButton(QStringLiteral("Odrzuć"), this);
    Button2->setGeometry(136, 96, 75, 25);
    Button2->setAutoDefault(false);

    connect(eOperator, &QLineEdit::textChanged, this, [this] { eOperatorChange(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    FormCreate();
}

void TOperator_1::FormCreate()
{
    operatorName.clear();
    try {
        operatorName = ReadOperatorIni(places_);
    } catch (const UserError& e) {
        dialogs_.error(e.message());
        operatorName = FromCp1250(welkor::OperatorNameFrom(std::nullopt));
    }
    eOperator->setText(operatorName);
    eOperator->selectAll();
}

void TOperator_1::eOperatorChange() { operatorName = eOperator->text(); }

void TOperator_1::Button1Click()
{
    // A file that cannot be written is reported; the dialog still closes
    // with OK and the window takes the name for this run.
    setResult(QDialog::Accepted);
    try {
        if (const QString note = WriteOperatorIni(places_, operatorName); !note.isEmpty())
            dialogs_.information(note);
    } catch (const UserError& e) {
        dialogs_.error(e.message());
    }
    accept();
}

void TOperator_1::Button2Click() { reject(); }

} // namespace welkor::gui
