#include "serial/SerialPortReason.h"

#include <QFileInfo>

#include <cerrno>
#include <initializer_list>

#ifndef Q_OS_WIN
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>
#endif

namespace welkor::gui {

namespace {

// The system error behind Qt's text, found by asking Qt for the text of each
// error a port can meet; 0 when the text is none of them.
int SystemErrorOf(const QString& systemText)
{
    for (int code : {ENOENT, ENODEV, ENXIO, EACCES, EPERM, EBUSY, EAGAIN, EIO, EBADF, EINVAL, ENOTTY, EROFS})
        if (systemText == qt_error_string(code))
            return code;
    return 0;
}

// Qt locks a port with a lock file before it opens it.
bool LockHeldElsewhere(const QString& systemText)
{
    return systemText == QSerialPort::tr("Permission error while locking the device");
}

bool LockFileRefused(const QString& systemText)
{
    return systemText == QSerialPort::tr("Permission error while creating lock file")
        || systemText == QSerialPort::tr("Unable to create lock file path");
}

const QString kNotFound = QStringLiteral("Nie ma takiego urządzenia: czytnik jest odłączony albo nazwa portu jest błędna.");
const QString kBusy = QStringLiteral("Port jest zajęty: używa go inny program (albo drugie okno tego programu).");
const QString kHungUp = QStringLiteral("Czytnik nie odpowiada: został odłączony albo wyłączony.");

QString Permission(const QString& device)
{
    const QString advice = PortPermissionAdvice(device);
    return QStringLiteral("Brak uprawnień do otwarcia portu.") + (advice.isEmpty() ? QString() : QLatin1Char(' ') + advice);
}

} // namespace

QString PortDevice(const QString& portName)
{
#ifdef Q_OS_WIN
    return portName;
#else
    return portName.startsWith(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName;
#endif
}

QString PortPermissionAdvice(const QString& device)
{
#ifdef Q_OS_WIN
    (void)device;
    return {};
#else
    struct stat status {};
    if (::stat(QFile::encodeName(device).constData(), &status) != 0)
        return {};
    const group* owners = ::getgrgid(status.st_gid);
    const QString groupName = owners ? QString::fromLocal8Bit(owners->gr_name) : QString::number(status.st_gid);
    const passwd* me = ::getpwuid(::geteuid());
    const QString user = me ? QString::fromLocal8Bit(me->pw_name) : QString::number(::geteuid());
    if (status.st_gid == 0)
        return QStringLiteral("Urządzenie %1 należy do grupy „%2”: uprawnienia do niego może nadać tylko administrator.")
            .arg(device, groupName);

    bool member = ::getegid() == status.st_gid;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(count > 0 ? count : 0));
    if (count > 0 && ::getgroups(count, groups.data()) == count)
        for (gid_t id : groups)
            member = member || id == status.st_gid;
    if (member)
        return QStringLiteral("Użytkownik „%1” należy do grupy „%2”, do której należy urządzenie %3, ale urządzenie "
                              "nie pozwala tej grupie na odczyt i zapis (uprawnienia %4).")
            .arg(user, groupName, device)
            .arg(status.st_mode & 0777, 3, 8, QLatin1Char('0'));
    return QStringLiteral("Użytkownik „%1” musi należeć do grupy „%2”, do której należy urządzenie %3 "
                          "(polecenie: sudo usermod -a -G %2 %1; zmiana działa po ponownym zalogowaniu).")
        .arg(user, groupName, device);
#endif
}

QString SerialPortReason(QSerialPort::SerialPortError error, const QString& systemText, const QString& device)
{
    if (LockHeldElsewhere(systemText))
        return QStringLiteral("Port jest zablokowany: używa go inny program (albo drugie okno tego programu).");
    if (LockFileRefused(systemText))
        return QStringLiteral("Nie można założyć pliku blokady portu: brak prawa zapisu w katalogu blokad.");
    switch (SystemErrorOf(systemText)) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return kNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return Permission(device);
    case EBUSY:
        return kBusy;
    case EAGAIN:
        return QStringLiteral("Urządzenie jest chwilowo niedostępne: czytnik nie odpowiada albo został odłączony.");
    case EIO:
    case EBADF:
        return QStringLiteral("Błąd wejścia-wyjścia: czytnik został odłączony albo wyłączony.");
    case EINVAL:
    case ENOTTY:
        return QStringLiteral("To urządzenie nie jest portem szeregowym albo nie przyjmuje tych ustawień.");
    default:
        break;
    }
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return kNotFound;
    case QSerialPort::PermissionError:
        return Permission(device);
    case QSerialPort::OpenError:
        return QStringLiteral("Port jest już otwarty.");
    case QSerialPort::NotOpenError:
        return QStringLiteral("Port nie jest otwarty.");
    case QSerialPort::ResourceError:
        return QStringLiteral("Urządzenie zniknęło z systemu albo przestało odpowiadać: czytnik został odłączony.");
    case QSerialPort::ReadError:
        return QStringLiteral("Błąd odczytu z portu.");
    case QSerialPort::WriteError:
        return QStringLiteral("Błąd zapisu do portu.");
    case QSerialPort::UnsupportedOperationError:
        return QStringLiteral("Port nie przyjmuje tych ustawień.");
    case QSerialPort::TimeoutError:
        return QStringLiteral("Przekroczono czas oczekiwania na port.");
    default:
        break;
    }
    // Nothing known: what the system said, for whoever looks after the machine.
    return systemText.isEmpty() ? QStringLiteral("Nieznany błąd portu.")
                                : QStringLiteral("Nieznany błąd portu (komunikat systemu: %1).").arg(systemText);
}

QString LostPortReason(QSerialPort::SerialPortError error, const QString& systemText, const QString& device)
{
#ifndef Q_OS_WIN
    if (!QFileInfo::exists(device))
        return QStringLiteral("Urządzenie %1 zniknęło z systemu: czytnik został odłączony.").arg(device);
#endif
    // A line that hung up reads as "nothing more" and Qt's text is then
    // whatever system error came last: it says nothing about this port.
    if (error == QSerialPort::ReadError || error == QSerialPort::ResourceError)
        return kHungUp;
    return SerialPortReason(error, systemText, device);
}

} // namespace welkor::gui
