// The plate reader: the seven simple commands, the fetch of a measurement and
// the choice of the port the reader hangs on.
#include "gui/reader/ReaderCommands.h"

#include "core/document/ReportDocument.h"
#include "core/reader/Transmission.h"
#include "gui/analysis/AnalysisPage.h"
#include "gui/app/Commands.h"
#include "gui/app/WindowServices.h"
#include "gui/dialogs/ErrorGuard.h"
#include "gui/plate/PlatePage.h"
#include "gui/reader/ReaderLink.h"
#include "gui/reader/ReaderSetupDialog.h"
#include "gui/report/ReportPage.h"
#include "gui/shell/ShellCommands.h"
#include "qtbase/ClockSource.h"
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

ReaderCommands::ReaderCommands(welkor::ReportDocument& report, ReportFiles& files, ReportPages pages,
                               Commands& commands, const ShellCommands& shell, const WindowServices& services,
                               QWidget& window)
    : report_(report), files_(files), pages_(pages), commands_(commands), shell_(shell), services_(services),
      window_(window), link_(services.reader ? services.reader : &NoLink())
{
    connect(commands_.Port1, &QMenu::aboutToShow, this, [this] { Guarded(*services_.dialogs, [this] { Port1Popup(); }); });
}

void ReaderCommands::ConnectReader()
{
    // Without a reader the entries stay hidden, as the window was built.
    const bool shown = link_->configured();
    if (shown)
        commands_.CommandNumber();
    for (QWidget* widget : {static_cast<QWidget*>(commands_.tbPobierz), static_cast<QWidget*>(commands_.Label1),
                            static_cast<QWidget*>(commands_.udNumer)})
        commands_.ShowOnToolbar(widget, shown);
    commands_.Pobierz1->setVisible(shown);
    commands_.Narzdzia1->menuAction()->setVisible(shown);
    commands_.Port1->menuAction()->setVisible(shown);
}

void ReaderCommands::Czytnik1Click()
{
    ReaderSetupDialog dialog(*link_, &window_);
    if (services_.dialogs->runModal(dialog) == QDialog::Accepted)
        ConnectReader();
}

void ReaderCommands::Port1Popup()
{
    QMenu* Port1 = commands_.Port1;
    Port1->clear();
    ReaderLink& link = *link_;
    const QStringList names = link.portNames();
    if (names.isEmpty())
        Port1->addAction(QStringLiteral("Brak portów szeregowych"))->setEnabled(false);
    const QString chosen = link.portName();
    for (const QString& name : names) {
        QAction* item = Port1->addAction(name);
        item->setCheckable(true);
        item->setChecked(name == chosen);
        connect(item, &QAction::triggered, this,
                [this, name] { Guarded(*services_.dialogs, [&] { link_->choosePort(name); }); });
    }
}

void ReaderCommands::SendSimpleCommand(std::uint8_t controlByte)
{
    outgoingCommand = welkor::SingleByteCommand(controlByte);
    FetchFromReader();
}

void ReaderCommands::UruchomTekst1Click() { SendSimpleCommand(controlBytes.startText); }
void ReaderCommands::Zatrzymajtekst1Click() { SendSimpleCommand(controlBytes.stopText); }
void ReaderCommands::Pytanie1Click() { SendSimpleCommand(controlBytes.question); }
void ReaderCommands::Potwierdzenie1Click() { SendSimpleCommand(controlBytes.acknowledge); }
void ReaderCommands::Start1Click() { SendSimpleCommand(controlBytes.start); }
void ReaderCommands::Stop1Click() { SendSimpleCommand(controlBytes.stop); }
void ReaderCommands::Bezpotwierdzenia1Click() { SendSimpleCommand(controlBytes.noAcknowledge); }

bool ReaderCommands::FetchFromReader()
{
    ReaderMessage message;
    const bool replaced = ReceiveTransmission(message, false) == ReaderResult::Report;
    ShowReaderMessage(message);
    return replaced;
}

ReaderCommands::ReaderResult ReaderCommands::ReceiveTransmission(ReaderMessage& message, bool workAsked)
{
    ReaderAnswer answer = link_->exchange(outgoingCommand, &window_);
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
        if (!report_.hasData()) {
            pages_.text.mOdebrany->setPlainText(kNoSignal);
            files_.FillPlaceholder(welkor::kPlateColumns, welkor::kPlateRows);
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
                                    ToCp1250(LongTimeText(locale, now.time())), ToCp1250(shell_.operatorName));
    if (!result.ok()) {
        message = {withEnding(FromCp1250(result.problem)), false};
        return ReaderResult::Nothing;
    }
    // A good report replaces the current one: unsaved work is offered a save
    // first, and kept if the user says so.
    if (!workAsked && !files_.ConfirmDiscardUnsavedWork(ReportFiles::UnsavedScope::Report)) {
        message = {QStringLiteral("Odebrany pomiar nie został przyjęty: raport pozostał bez zmian."), false};
        return ReaderResult::Nothing;
    }
    pages_.BuildBeforeReportChanges();
    report_.TakeTransmission(std::move(result.lines));
    pages_.text.RebuildReportText(report_);
    pages_.tables->ShowValuesInGrid();
    files_.MarkReportUnsaved(); // a measurement that is in no file yet
    return ReaderResult::Report;
}

void ReaderCommands::ShowReaderMessage(const ReaderMessage& message)
{
    if (message.text.isEmpty())
        return;
    if (message.error)
        services_.dialogs->error(message.text);
    else
        services_.dialogs->information(message.text);
}

bool ReaderCommands::ConfirmFetchReplacesWork()
{
    if (!files_.ConfirmDiscardUnsavedWork(ReportFiles::UnsavedScope::Report))
        return false;
    // Without a report the edit grid's text is in no file, and the fetch
    // fills the grid with the new plate (or with zeros when nothing comes).
    if (report_.hasData() || !pages_.tables->EditGridHoldsWork())
        return true;
    return services_.dialogs->askYesNo(
        QStringLiteral("Uwaga!"),
        QStringLiteral("Tabela edycji zawiera oznaczenia, wyniki analizy lub wpisany tekst.\r\n"
                       "Pobranie pomiaru zastąpi je jego wartościami.\r\nCzy mimo to pobrać dane?"));
}

void ReaderCommands::ShowFetchedPlate()
{
    pages_.plate->FindRange();
    pages_.plate->RecolourPlate();
    pages_.tables->ClearThreshold(); // no threshold of an earlier plate beside this one
    report_.Transfer();
    pages_.tables->ShowEditGrid();
    pages_.plate->UpdateLegend();
    pages_.tables->RefreshTemplateOverlay();
    window_.setWindowTitle(kProductCaption + QStringLiteral(" - Koniec pobieranie danych"));
}

void ReaderCommands::Pocztek1Click()
{
    // What a new measurement would replace is asked about before the reader
    // is told to send one: "Anuluj" sends nothing and changes nothing.
    if (!ConfirmFetchReplacesWork())
        return;
    const QString captionBefore = window_.windowTitle();
    window_.setWindowTitle(kProductCaption + QStringLiteral(" - Pobieranie danych"));
    outgoingCommand
        = welkor::CompoundCommand(static_cast<std::uint8_t>(commands_.CommandNumber()->value()), controlBytes);
    ReaderMessage message;
    const ReaderResult result = ReceiveTransmission(message, true);
    // A new plate goes through the whole sequence, and so does silence on a
    // window without a report (its wells then hold "0"). Otherwise nothing
    // changed, so neither does the caption; it is back before the message.
    if (result == ReaderResult::Report || (result == ReaderResult::Silence && !report_.hasData()))
        ShowFetchedPlate();
    else
        window_.setWindowTitle(captionBefore);
    ShowReaderMessage(message);
}

} // namespace welkor::gui
