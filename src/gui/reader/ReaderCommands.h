#pragma once

#include "core/reader/ReaderCommands.h"
#include "gui/report/ReportFiles.h"

#include <QObject>
#include <QString>

#include <string>

class QWidget;

namespace welkor {
class ReportDocument;
}

namespace welkor::gui {

class Commands;
class ReaderLink;
class ShellCommands;
struct WindowServices;

// The plate reader: the seven simple commands, the fetch of a measurement
// ("Pobierz", "Początek...koniec") and the port the reader hangs on ("Port").
// The link shows the wait's progress itself; without a configured link the
// reader's entries stay hidden and every command meets silence.
class ReaderCommands : public QObject {
    Q_OBJECT
public:
    ReaderCommands(welkor::ReportDocument& report, ReportFiles& files, ReportPages pages, Commands& commands,
                   const ShellCommands& shell, const WindowServices& services, QWidget& window);

    // The reader's entries appear when a link to a reader is configured.
    void ConnectReader();
    // "Czytnik…": the reader's set-up; the entries follow what is stored.
    void Czytnik1Click();
    void UruchomTekst1Click();
    void Zatrzymajtekst1Click();
    void Pytanie1Click();
    void Potwierdzenie1Click();
    void Start1Click();
    void Stop1Click();
    void Bezpotwierdzenia1Click();
    void Pocztek1Click();
    bool FetchFromReader(); // true when a transmission replaced the report
    void Port1Popup();

    // The command last sent and the answer it got.
    welkor::ReaderControlBytes controlBytes;
    std::string outgoingCommand;
    std::string receivedTransmission;

private:
    struct ReaderMessage {
        QString text; // empty: nothing to say
        bool error = false;
    };
    void SendSimpleCommand(std::uint8_t controlByte);
    // What a command got: nothing usable, silence, or a report that replaced
    // the current one. `workAsked`: unsaved work was asked about before the
    // command went out; otherwise it is asked about before a report replaces it.
    enum class ReaderResult { Nothing, Silence, Report };
    ReaderResult ReceiveTransmission(ReaderMessage& message, bool workAsked);
    void ShowReaderMessage(const ReaderMessage& message);
    bool ConfirmFetchReplacesWork();
    void ShowFetchedPlate();

    welkor::ReportDocument& report_;
    ReportFiles& files_;
    ReportPages pages_;
    Commands& commands_;
    const ShellCommands& shell_;
    const WindowServices& services_;
    QWidget& window_;
    ReaderLink* link_;
};

} // namespace welkor::gui
