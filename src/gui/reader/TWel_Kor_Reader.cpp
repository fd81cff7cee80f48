// The plate reader: the seven simple commands, the fetch of a measurement and
// the choice of the port the reader hangs on.
#include "core/reader/Transmission.h"
#include "gui/analysis/EditGrid.h"
#include "gui/app/TWel_Kor.h"
#include "gui/reader/ReaderLink.h"
#include "qtbase/ClockTexts.h"

#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

#include <utility>

namespace welkor::gui {

namespace {

const QString kNoSignal = QStringLiteral("Brak sygnału!");

NoReaderLink& NoLink()
{
    static NoReaderLink link;
    return link;
}

} // namespace

void TWel_Kor::ConnectReader()
{
    if (!services_.reader)
        services_.reader = &NoLink();

    const std::pair<QAction*, void (TWel_Kor::*)()> commands[] = {
        {UruchomTekst1, &TWel_Kor::UruchomTekst1Click}, {Zatrzymajtekst1, &TWel_Kor::Zatrzymajtekst1Click},
        {Pytanie1, &TWel_Kor::Pytanie1Click},           {Potwierdzenie1, &TWel_Kor::Potwierdzenie1Click},
        {Start1, &TWel_Kor::Start1Click},               {Stop1, &TWel_Kor::Stop1Click},
        {Bezpotwierdzenia1, &TWel_Kor::Bezpotwierdzenia1Click}, {Pocztek1, &TWel_Kor::Pocztek1Click},
        {Pobierz1, &TWel_Kor::Pocztek1Click},
    };
    for (const auto& [action, handler] : commands)
        connect(action, &QAction::triggered, this, [this, handler = handler] { Command([&] { (this->*handler)(); }); });
    connect(tbPobierz, &QToolButton::clicked, this, [this] { Command([this] { Pocztek1Click(); }); });
    connect(Port1, &QMenu::aboutToShow, this, [this] { Guarded([this] { Port1Popup(); }); });

    // Without a reader the entries stay hidden, as the window was built.
    if (!services_.reader->configured())
        return;
    for (QAction* action : ToolBar1->actions()) {
        const QWidget* widget = ToolBar1->widgetForAction(action);
        if (widget == tbPobierz || widget == Label1 || widget == udNumer)
            action->setVisible(true);
    }
    Pobierz1->setVisible(true);
    Narzdzia1->menuAction()->setVisible(true);
    Port1->menuAction()->setVisible(true);
}

void TWel_Kor::Port1Popup()
{
    Port1->clear();
    ReaderLink& link = *services_.reader;
    const QStringList names = link.portNames();
    if (names.isEmpty())
        Port1->addAction(QStringLiteral("Brak portów szeregowych"))->setEnabled(false);
    const QString chosen = link.portName();
    for (const QString& name : names) {
        QAction* item = Port1->addAction(name);
        item->setCheckable(true);
        item->setChecked(name == chosen);
        connect(item, &QAction::triggered, this, [this, name] { Guarded([&] { services_.reader->choosePort(name); }); });
    }
}

void TWel_Kor::SendSimpleCommand(std::uint8_t controlByte)
{
    outgoingCommand = welkor::SingleByteCommand(controlByte);
    FetchFromReader();
}

void TWel_Kor::UruchomTekst1Click() { SendSimpleCommand(controlBytes.startText); }
void TWel_Kor::Zatrzymajtekst1Click() { SendSimpleCommand(controlBytes.stopText); }
void TWel_Kor::Pytanie1Click() { SendSimpleCommand(controlBytes.question); }
void TWel_Kor::Potwierdzenie1Click() { SendSimpleCommand(controlBytes.acknowledge); }
void TWel_Kor::Start1Click() { SendSimpleCommand(controlBytes.start); }
void TWel_Kor::Stop1Click() { SendSimpleCommand(controlBytes.stop); }
void TWel_Kor::Bezpotwierdzenia1Click() { SendSimpleCommand(controlBytes.noAcknowledge); }

bool TWel_Kor::FetchFromReader()
{
    ReaderMessage message;
    const bool replaced = ReceiveTransmission(message, false) == ReaderResult::Report;
    ShowReaderMessage(message);
    return replaced;
}

TWel_Kor::ReaderResult TWel_Kor::ReceiveTransmission(ReaderMessage& message, bool workAsked)
{
    ReaderAnswer answer = services_.reader->exchange(outgoingCommand, this);
    receivedTransmission.clear();
    if (answer.outcome == ReaderAnswer::Outcome::Cancelled)
        return ReaderResult::Nothing;
    if (answer.outcome == ReaderAnswer::Outcome::Failed) {
        message = {answer.problem, true};
        return ReaderResult::Nothing;
    }
    // What the link says about how the wait ended follows the verdict.
    const auto withEnding = [&answer](const QString& text) {
        return answer.ending.isEmpty() ? text : text + QLatin1Char('\n') + answer.ending;
    };
    receivedTransmission = std::move(answer.bytes);
    if (receivedTransmission.empty()) {
        // The user's report, comment and edit grid stay; only a window that
        // holds no report shows the silence in the report memo.
        if (!report.hasData()) {
            mOdebrany->setPlainText(kNoSignal);
            FillPlaceholder(columnCount, rowCount);
        }
        message = {withEnding(kNoSignal), false};
        return ReaderResult::Silence;
    }

    // The whole transmission is converted and checked before anything on
    // screen changes; a refused one leaves the current report as it was.
    const QDateTime now = services_.clock->now();
    const QLocale locale = QLocale::system();
    welkor::TransmissionResult result =
        welkor::ConvertTransmission(receivedTransmission, ToCp1250(TransmissionDate(locale, now.date())),
                                    ToCp1250(LongTimeText(locale, now.time())), ToCp1250(operatorName));
    if (!result.ok()) {
        message = {withEnding(FromCp1250(result.problem)), false};
        return ReaderResult::Nothing;
    }
    // A good report replaces the current one: unsaved work is offered a save
    // first, and kept if the user says so.
    if (!workAsked && !ConfirmDiscardUnsavedWork(UnsavedScope::Report)) {
        message = {QStringLiteral("Odebrany pomiar nie został przyjęty: raport pozostał bez zmian."), false};
        return ReaderResult::Nothing;
    }
    report.TakeTransmission(std::move(result.lines));
    RebuildReportText();
    ShowValuesInGrid();
    MarkReportUnsaved(); // a measurement that is in no file yet
    return ReaderResult::Report;
}

void TWel_Kor::ShowReaderMessage(const ReaderMessage& message)
{
    if (message.text.isEmpty())
        return;
    if (message.error)
        ShowError(message.text);
    else
        services_.dialogs->information(message.text);
}

bool TWel_Kor::ConfirmFetchReplacesWork()
{
    if (!ConfirmDiscardUnsavedWork(UnsavedScope::Report))
        return false;
    // Without a report the edit grid's text is in no file, and the fetch
    // fills the grid with the new plate (or with zeros when nothing comes).
    if (report.hasData() || !EditGridHoldsWork())
        return true;
    return services_.dialogs->askYesNo(
        QStringLiteral("Uwaga!"),
        QStringLiteral("Tabela edycji zawiera oznaczenia, wyniki analizy lub wpisany tekst.\r\n"
                       "Pobranie pomiaru zastąpi je jego wartościami.\r\nCzy mimo to pobrać dane?"));
}

void TWel_Kor::ShowFetchedPlate()
{
    FindRange();
    RecolourPlate();
    ClearThreshold(); // no threshold of an earlier plate beside this one
    report.Transfer();
    sgEdycja->setTexts(report.editGrid());
    UpdateLegend();
    RefreshTemplateOverlay();
    setWindowTitle(productCaption + QStringLiteral(" - Koniec pobieranie danych"));
}

void TWel_Kor::Pocztek1Click()
{
    // What a new measurement would replace is asked about before the reader
    // is told to send one: "Anuluj" sends nothing and changes nothing.
    if (!ConfirmFetchReplacesWork())
        return;
    const QString captionBefore = windowTitle();
    setWindowTitle(productCaption + QStringLiteral(" - Pobieranie danych"));
    outgoingCommand = welkor::CompoundCommand(static_cast<std::uint8_t>(udNumer->value()), controlBytes);
    ReaderMessage message;
    const ReaderResult result = ReceiveTransmission(message, true);
    // A new plate goes through the whole sequence, and so does silence on a
    // window without a report (its wells then hold "0"). Otherwise nothing
    // changed, so neither does the caption; it is back before the message.
    if (result == ReaderResult::Report || (result == ReaderResult::Silence && !report.hasData()))
        ShowFetchedPlate();
    else
        setWindowTitle(captionBefore);
    ShowReaderMessage(message);
}

} // namespace welkor::gui
