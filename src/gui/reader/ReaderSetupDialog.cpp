#include "gui/reader/ReaderSetupDialog.h"

#include "core/reader/ReaderCommands.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace welkor::gui {

namespace {

// The speeds serial adapters offer; a stored speed outside the list is
// offered as well, so opening and storing never changes it.
constexpr qint32 kSpeeds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

// Seconds as the user writes them: "10", "0,5" (never "10,000").
class SecondsSpinBox : public QDoubleSpinBox {
public:
    explicit SecondsSpinBox(QWidget* parent) : QDoubleSpinBox(parent)
    {
        QLocale polish(QLocale::Polish);
        polish.setNumberOptions(QLocale::OmitGroupSeparator);
        setLocale(polish);
        setDecimals(3); // the settings keep milliseconds
        setRange(0.001, 3600);
        setSuffix(QStringLiteral(" s"));
    }

protected:
    QString textFromValue(double value) const override { return locale().toString(value, 'g', 10); }
};

QString SecondsText(int ms) { return QLocale(QLocale::Polish).toString(ms / 1000.0, 'g', 10); }

// The first bytes of an answer in hexadecimal: "06", "41 42 …".
QString HexBytes(const std::string& bytes)
{
    constexpr std::size_t kShown = 16;
    QStringList parts;
    for (std::size_t i = 0; i < std::min(bytes.size(), kShown); ++i)
        parts.push_back(QStringLiteral("%1").arg(static_cast<unsigned char>(bytes[i]), 2, 16, QLatin1Char('0')).toUpper());
    if (bytes.size() > kShown)
        parts.push_back(QStringLiteral("…"));
    return parts.join(QLatin1Char(' '));
}

enum PortColumn { kName, kDescription, kMaker, kSerialNumber };

} // namespace

ReaderSetupDialog::ReaderSetupDialog(ReaderLink& link, QWidget* owner) : QDialog(owner), link_(link)
{
    setWindowTitle(QStringLiteral("Czytnik"));
    auto* layout = new QVBoxLayout(this);

    auto* listHeading = new QHBoxLayout;
    listHeading->addWidget(new QLabel(QStringLiteral("Porty szeregowe w systemie:"), this), 1);
    bOdswiez = new QPushButton(QStringLiteral("Odśwież"), this);
    listHeading->addWidget(bOdswiez);
    layout->addLayout(listHeading);

    lvPorty = new QTreeWidget(this);
    lvPorty->setRootIsDecorated(false);
    lvPorty->setAllColumnsShowFocus(true);
    lvPorty->setHeaderLabels({QStringLiteral("Port"), QStringLiteral("Opis"), QStringLiteral("Producent"),
                              QStringLiteral("Numer seryjny")});
    lvPorty->setMinimumWidth(560);
    lvPorty->setMinimumHeight(lvPorty->fontMetrics().lineSpacing() * 7);
    layout->addWidget(lvPorty);
    lBrakPortow = new QLabel(QStringLiteral("Nie znaleziono portów szeregowych. Podłącz czytnik i naciśnij "
                                            "„Odśwież” albo wpisz ścieżkę urządzenia poniżej."),
                             this);
    lBrakPortow->setWordWrap(true);
    layout->addWidget(lBrakPortow);

    const ReaderPortSettings settings = link_.portSettings();
    auto* form = new QFormLayout;
    ePort = new QLineEdit(settings.portName, this);
    ePort->setPlaceholderText(QStringLiteral("brak: program nie używa czytnika"));
    auto* portHint = new QLabel(QStringLiteral("Nazwa z listy albo ścieżka urządzenia, np. /dev/ttyUSB0."), this);
    portHint->setEnabled(false);
    auto* portColumn = new QVBoxLayout;
    portColumn->addWidget(ePort);
    portColumn->addWidget(portHint);
    form->addRow(QStringLiteral("Port czytnika:"), portColumn);

    cmbPredkosc = new QComboBox(this);
    QList<qint32> speeds(std::begin(kSpeeds), std::end(kSpeeds));
    if (!speeds.contains(settings.baudRate)) {
        speeds.push_back(settings.baudRate);
        std::sort(speeds.begin(), speeds.end());
    }
    for (const qint32 speed : speeds)
        cmbPredkosc->addItem(QString::number(speed), speed);
    cmbPredkosc->setCurrentIndex(static_cast<int>(speeds.indexOf(settings.baudRate)));
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(cmbPredkosc);
    speedRow->addWidget(new QLabel(QStringLiteral("bodów; 8 bitów danych, bez parzystości, 1 bit stopu, "
                                                  "bez sterowania przepływem"),
                                   this),
                        1);
    form->addRow(QStringLiteral("Prędkość:"), speedRow);

    seCzas = new SecondsSpinBox(this);
    seCzas->setValue(settings.timeoutMs / 1000.0);
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(seCzas);
    timeRow->addWidget(new QLabel(QStringLiteral("tak długa cisza na linii: czytnik nie odpowiada albo skończył nadawać"),
                                  this),
                       1);
    form->addRow(QStringLiteral("Czas oczekiwania:"), timeRow);
    layout->addLayout(form);

    auto* checkRow = new QHBoxLayout;
    bSprawdz = new QPushButton(QStringLiteral("Sprawdź połączenie"), this);
    checkRow->addWidget(bSprawdz, 0, Qt::AlignTop);
    lWynik = new QLabel(this);
    lWynik->setWordWrap(true);
    lWynik->setTextInteractionFlags(Qt::TextSelectableByMouse); // the command to join a group can be copied
    lWynik->setMinimumHeight(lWynik->fontMetrics().lineSpacing() * 3);
    lWynik->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    checkRow->addWidget(lWynik, 1);
    layout->addLayout(checkRow);

    lZmienna = new QLabel(this);
    lZmienna->setWordWrap(true);
    const QString environment = link_.environmentPort();
    lZmienna->setText(QStringLiteral("Port wskazuje zmienna środowiskowa WELKOR_CZYTNIK („%1”): przy każdym "
                                     "uruchomieniu programu ma ona pierwszeństwo przed portem zapisanym tutaj.")
                          .arg(environment));
    lZmienna->setVisible(!environment.isEmpty());
    layout->addWidget(lZmienna);

    auto* buttons = new QDialogButtonBox(this);
    bZapisz = buttons->addButton(QStringLiteral("Zapisz"), QDialogButtonBox::AcceptRole);
    bAnuluj = buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    bZapisz->setDefault(true);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &ReaderSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ReaderSetupDialog::reject);
    connect(bOdswiez, &QPushButton::clicked, this, &ReaderSetupDialog::RefreshPorts);
    connect(bSprawdz, &QPushButton::clicked, this, &ReaderSetupDialog::CheckConnection);
    // A port picked in the list is the port; a typed one picks its row.
    connect(lvPorty, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!item)
            return;
        ePort->setText(item->text(kName));
        lWynik->clear();
    });
    connect(ePort, &QLineEdit::textEdited, this, [this] {
        SelectTypedPort();
        lWynik->clear();
    });

    RefreshPorts();
    ePort->setFocus();
}

void ReaderSetupDialog::RefreshPorts()
{
    const QSignalBlocker quiet(lvPorty); // the port field keeps what it holds
    lvPorty->clear();
    for (const ReaderPortInfo& port : link_.ports()) {
        auto* item = new QTreeWidgetItem(lvPorty, {port.name, port.description, port.maker, port.serialNumber});
        item->setData(kName, Qt::UserRole, port.device);
        item->setToolTip(kName, port.device);
    }
    // Wide enough for what the system says, and for the heading at least.
    for (int column = 0; column < lvPorty->columnCount(); ++column) {
        lvPorty->resizeColumnToContents(column);
        lvPorty->setColumnWidth(column, std::max(lvPorty->columnWidth(column), 120));
    }
    lBrakPortow->setVisible(lvPorty->topLevelItemCount() == 0);
    SelectTypedPort();
}

void ReaderSetupDialog::SelectTypedPort()
{
    // "ttyUSB0" and "/dev/ttyUSB0" are the same port.
    const QString typed = ePort->text().trimmed();
    const QSignalBlocker quiet(lvPorty); // the row follows the field, not the other way
    QTreeWidgetItem* match = nullptr;
    for (int i = 0; i < lvPorty->topLevelItemCount() && !typed.isEmpty(); ++i) {
        QTreeWidgetItem* item = lvPorty->topLevelItem(i);
        if (item->text(kName) == typed || item->data(kName, Qt::UserRole).toString() == typed)
            match = item;
    }
    lvPorty->setCurrentItem(match);
    if (!match)
        lvPorty->clearSelection();
}

ReaderPortSettings ReaderSetupDialog::chosenSettings() const
{
    ReaderPortSettings settings;
    settings.portName = ePort->text().trimmed();
    settings.baudRate = cmbPredkosc->currentData().toInt();
    settings.timeoutMs = static_cast<int>(std::lround(seCzas->value() * 1000.0));
    return settings;
}

void ReaderSetupDialog::CheckConnection()
{
    const ReaderPortSettings settings = chosenSettings();
    if (settings.portName.isEmpty()) {
        lWynik->setText(QStringLiteral("Wybierz port z listy albo wpisz ścieżkę urządzenia."));
        ePort->setFocus();
        return;
    }
    lWynik->clear();
    // The question is harmless: the reader says it is there and does nothing.
    const std::string question = welkor::SingleByteCommand(welkor::ReaderControlBytes{}.question);
    const ReaderAnswer answer = link_.probe(settings, question, this);
    switch (answer.outcome) {
    case ReaderAnswer::Outcome::Failed:
        lWynik->setText(answer.problem);
        break;
    case ReaderAnswer::Outcome::Cancelled:
        lWynik->setText(QStringLiteral("Sprawdzanie połączenia przerwano."));
        break;
    case ReaderAnswer::Outcome::Answered:
        if (answer.bytes.empty())
            lWynik->setText(QStringLiteral("Port „%1”: brak odpowiedzi w ciągu %2 s. Sprawdź, czy czytnik jest "
                                           "włączony i podłączony do tego portu i czy ma tę samą prędkość (%3 bodów).")
                                .arg(settings.portName, SecondsText(settings.timeoutMs))
                                .arg(settings.baudRate));
        else
            lWynik->setText(QStringLiteral("Port „%1”: czytnik odpowiada (%2 B: %3).")
                                .arg(settings.portName)
                                .arg(answer.bytes.size())
                                .arg(HexBytes(answer.bytes)));
        break;
    }
}

void ReaderSetupDialog::accept()
{
    const QString problem = link_.storeSettings(chosenSettings());
    if (!problem.isEmpty()) {
        lWynik->setText(problem); // nothing typed is lost: the dialog stays open
        return;
    }
    QDialog::accept();
}

} // namespace welkor::gui
