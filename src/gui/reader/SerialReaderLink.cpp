#include "gui/reader/SerialReaderLink.h"

#include "core/reader/Transmission.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressBar>
#include <QProgressDialog>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QSettings>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

const QString kGroup = QStringLiteral("Czytnik");
const QString kPortKey = QStringLiteral("Port");
const QString kBaudKey = QStringLiteral("Predkosc");
const QString kTimeoutKey = QStringLiteral("CzasOczekiwania");

// How the wait for an answer ended.
enum WaitEnd { Complete = 1, TimedOut, Cancelled, PortLost, TooLong };

} // namespace

ReaderPortSettings ReadReaderPortSettings(const QString& settingsFile, const QString& environmentPort)
{
    ReaderPortSettings settings;
    QSettings file(settingsFile, QSettings::IniFormat);
    file.beginGroup(kGroup);
    settings.portName = environmentPort.trimmed().isEmpty() ? file.value(kPortKey).toString().trimmed()
                                                            : environmentPort.trimmed();
    bool ok = false;
    const int baud = file.value(kBaudKey).toInt(&ok);
    if (ok && baud > 0)
        settings.baudRate = baud;
    const double seconds = file.value(kTimeoutKey).toDouble(&ok);
    if (ok && std::isfinite(seconds) && seconds > 0)
        settings.timeoutMs = static_cast<int>(std::clamp(seconds * 1000.0, 1.0, 3600.0 * 1000.0));
    return settings;
}

SerialReaderLink::SerialReaderLink(const QString& settingsFile, const QString& environmentPort)
    : settingsFile_(settingsFile), settings_(ReadReaderPortSettings(settingsFile, environmentPort))
{
}

SerialReaderLink::~SerialReaderLink() = default;

QStringList SerialReaderLink::portNames() const
{
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names.push_back(info.portName());
    const QString chosen = portName();
    if (!chosen.isEmpty() && !names.contains(chosen))
        names.push_back(chosen);
    return names;
}

QString SerialReaderLink::portName() const
{
    // A port configured by its device path is the same port the list names.
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (info.systemLocation() == settings_.portName)
            return info.portName();
    return settings_.portName;
}

void SerialReaderLink::choosePort(const QString& name)
{
    port_.reset();
    settings_.portName = name;
    QSettings file(settingsFile_, QSettings::IniFormat);
    file.setValue(kGroup + QLatin1Char('/') + kPortKey, name);
    file.sync();
}

QString SerialReaderLink::OpenPort()
{
    if (port_ && port_->isOpen())
        return {};
    port_ = std::make_unique<QSerialPort>();
    port_->setPortName(settings_.portName);
    if (!port_->open(QIODevice::ReadWrite)) {
        const QString reason = port_->errorString();
        port_.reset();
        return QStringLiteral("Nie można otworzyć portu czytnika \"%1\".\n%2").arg(settings_.portName, reason);
    }
    if (!port_->setBaudRate(settings_.baudRate) || !port_->setDataBits(QSerialPort::Data8)
        || !port_->setParity(QSerialPort::NoParity) || !port_->setStopBits(QSerialPort::OneStop)
        || !port_->setFlowControl(QSerialPort::NoFlowControl)) {
        const QString reason = port_->errorString();
        port_.reset();
        return QStringLiteral("Nie można ustawić portu czytnika \"%1\" (%2 bodów, 8N1).\n%3")
            .arg(settings_.portName)
            .arg(settings_.baudRate)
            .arg(reason);
    }
    return {};
}

ReaderAnswer SerialReaderLink::exchange(const std::string& command, QWidget* owner)
{
    ReaderAnswer answer;
    if (!configured())
        return answer; // no reader: silence

    if (const QString problem = OpenPort(); !problem.isEmpty()) {
        answer.outcome = ReaderAnswer::Outcome::Failed;
        answer.problem = problem;
        return answer;
    }
    // Whatever a reader sent late for an earlier command is not this answer.
    port_->clear(QSerialPort::Input);
    port_->readAll();
    if (port_->write(command.data(), static_cast<qint64>(command.size())) != static_cast<qint64>(command.size())) {
        answer.outcome = ReaderAnswer::Outcome::Failed;
        answer.problem = QStringLiteral("Nie można wysłać rozkazu do czytnika (port \"%1\").\n%2")
                             .arg(settings_.portName, port_->errorString());
        port_.reset();
        return answer;
    }

    // The bar fills as the time-out comes nearer; the label says what has
    // arrived and how long the wait may still last.
    QProgressDialog progress(owner);
    auto* bar = new QProgressBar(&progress);
    bar->setTextVisible(false);
    progress.setBar(bar);
    progress.setWindowTitle(QStringLiteral("Czytnik"));
    progress.setCancelButtonText(QStringLiteral("Anuluj"));
    progress.setRange(0, settings_.timeoutMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    progress.setWindowModality(Qt::ApplicationModal);

    QEventLoop loop;
    std::string& received = answer.bytes;
    QSerialPort* port = port_.get();
    QElapsedTimer elapsed;
    const auto describe = [&] {
        const qint64 left = std::max<qint64>(0, settings_.timeoutMs - elapsed.elapsed());
        const QString what = received.empty()
            ? QStringLiteral("Oczekiwanie na odpowiedź czytnika (port %1).").arg(settings_.portName)
            : QStringLiteral("Odbieranie danych z czytnika (port %1): %2 B.").arg(settings_.portName).arg(received.size());
        progress.setLabelText(what + QStringLiteral("\nPozostało %1 s.").arg((left + 999) / 1000));
    };
    QObject::connect(port, &QSerialPort::readyRead, &loop, [&] {
        const QByteArray chunk = port->readAll();
        received.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
        describe();
        if (welkor::EndsWithEndSequence(received))
            loop.exit(Complete);
        else if (received.size() > welkor::kMaxTransmissionBytes)
            loop.exit(TooLong);
    });
    QObject::connect(port, &QSerialPort::errorOccurred, &loop, [&](QSerialPort::SerialPortError error) {
        if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError)
            loop.exit(PortLost);
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] { loop.exit(Cancelled); });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] { loop.exit(TimedOut); });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        describe();
        progress.setValue(static_cast<int>(std::min<qint64>(elapsed.elapsed(), settings_.timeoutMs)));
    });

    elapsed.start();
    describe();
    progress.show();
    deadline.start(settings_.timeoutMs);
    tick.start(100);
    const int end = loop.exec();
    tick.stop();
    deadline.stop();
    progress.hide();

    switch (end) {
    case Cancelled:
        answer.outcome = ReaderAnswer::Outcome::Cancelled;
        break;
    case PortLost:
        answer.outcome = ReaderAnswer::Outcome::Failed;
        answer.problem = QStringLiteral("Połączenie z czytnikiem zostało przerwane (port \"%1\").\n%2")
                             .arg(settings_.portName, port_->errorString());
        port_.reset();
        break;
    default:
        break; // a whole frame, part of one, or nothing: the window judges
    }
    return answer;
}

std::unique_ptr<ReaderLink> ProgramReaderLink()
{
    const QString file = QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Welkor"),
                                   QStringLiteral("Welkor Lumo 1"))
                             .fileName();
    return std::make_unique<SerialReaderLink>(file, qEnvironmentVariable("WELKOR_CZYTNIK"));
}
