#pragma once

// A lab computer shared by several technicians: other users plant links and
// odd files beside the reports, watch the shared folders and save each
// other's files. Each situation is set up for real (second users acted as
// with setpriv) and met through welkor-lumo-cli and the window's own saves.
#include "SecondUsers.h"
#include "WindowFixture.h"

#include "core/report/ReportFile.h"
#include "qtbase/FileIO.h"

#include <QProcess>

#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <set>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>

const QString kCli = QStringLiteral(WELKOR_CLI);
const QString kExample = QStringLiteral(WELKOR_EXAMPLES_DIR "/pomiar_przyklad.rap");

inline QByteArray Bytes(const QString& path) { return FileNameBytes(path); }

// What the name is in the folder, the link itself rather than its target;
// 0 when there is nothing.
inline mode_t TypeOf(const QString& path)
{
    struct stat status{};
    return ::lstat(Bytes(path).constData(), &status) == 0 ? (status.st_mode & S_IFMT) : 0;
}

inline struct stat StatusOf(const QString& path)
{
    struct stat status{};
    EXPECT_EQ(::lstat(Bytes(path).constData(), &status), 0) << path.toStdString();
    return status;
}

// The file's bytes, by the bytes of its name.
inline QByteArray Content(const QString& path)
{
    QByteArray bytes;
    const int fd = ::open(Bytes(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    char block[4096];
    for (ssize_t n; (n = ::read(fd, block, sizeof block)) > 0;)
        bytes.append(block, n);
    ::close(fd);
    return bytes;
}

// Every name in a folder, as its bytes, hidden ones included.
inline std::set<std::string> Entries(const QString& folder)
{
    std::set<std::string> names;
    if (DIR* entries = ::opendir(Bytes(folder).constData())) {
        while (const dirent* entry = ::readdir(entries))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, ".."))
                names.insert(entry->d_name);
        ::closedir(entries);
    }
    return names;
}

inline bool HasTemporaries(const QString& folder)
{
    for (const std::string& name : Entries(folder))
        if (name.find(".welkor-zapis-") != std::string::npos)
            return true;
    return false;
}

inline void MakeFile(const QString& path, const QByteArray& bytes, mode_t mode, uid_t owner = 0, gid_t group = 0)
{
    const int fd = ::open(Bytes(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0) << path.toStdString();
    ASSERT_EQ(::write(fd, bytes.constData(), static_cast<std::size_t>(bytes.size())), bytes.size());
    ::close(fd);
    ASSERT_EQ(::chown(Bytes(path).constData(), owner, group), 0);
    ASSERT_EQ(::chmod(Bytes(path).constData(), mode), 0);
}

inline void MakeFolder(const QString& path, mode_t mode, uid_t owner = 0, gid_t group = 0)
{
    QDir(path).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(path));
    ASSERT_EQ(::chown(Bytes(path).constData(), owner, group), 0);
    ASSERT_EQ(::chmod(Bytes(path).constData(), mode), 0);
}

// A socket bound in the file system, closed (the name stays) when it goes.
struct BoundSocket {
    int fd = -1;
    explicit BoundSocket(const QString& path)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = Bytes(path);
        if (static_cast<std::size_t>(name.size()) >= sizeof address.sun_path)
            return;
        std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
        fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    ~BoundSocket()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

class SharedMachineTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        // Other users reach the test's folders and read the example.
        ASSERT_EQ(::chmod(Bytes(dir.path()).constData(), 0755), 0);
        QFile::copy(kExample, Path(QStringLiteral("pomiar.rap")));
        ASSERT_EQ(::chmod(Bytes(Path(QStringLiteral("pomiar.rap"))).constData(), 0644), 0);
    }

    QString Report() const { return Path(QStringLiteral("pomiar.rap")); }

    // "analizuj" of the example, written to `output`, as `user` (root when null).
    RunResult Analyse(const QString& output, const TestUser* user = nullptr)
    {
        return RunAs(user, kCli,
                     {QStringLiteral("analizuj"), Report(), QStringLiteral("--neg"), QStringLiteral("A3"),
                      QStringLiteral("-o"), output});
    }

    // The bytes "analizuj" writes for the example.
    QByteArray Analysed()
    {
        const QString reference = Path(QStringLiteral("wzor.rap"));
        if (!QFile::exists(reference)) {
            EXPECT_EQ(Analyse(reference).exitCode, 0);
        }
        return Content(reference);
    }

    // The window with the example opened.
    TWel_Kor& WindowWithReport()
    {
        TWel_Kor& w = Start();
        dialogs.fileAnswers.push_back(Report());
        w.commands->Otwrz1->trigger();
        EXPECT_TRUE(dialogs.errors.isEmpty());
        return w;
    }

    // "Zapisz" to `path`, answering Yes should it ask about overwriting.
    void SaveInWindow(TWel_Kor& w, const QString& path)
    {
        dialogs.errors.clear();
        dialogs.informations.clear();
        dialogs.yesNoAnswers = {true};
        dialogs.fileAnswers.push_back(path);
        w.commands->Zapisz1->trigger();
        dialogs.yesNoAnswers.clear();
    }

    // The report saved to `path` through "Zapisz" or through welkor-lumo-cli,
    // and what the user is told: the error boxes, or standard error of a run
    // that must end with `status`.
    QString SaveAndTell(TWel_Kor& w, const QString& path, bool viaWindow, int status)
    {
        if (viaWindow) {
            SaveInWindow(w, path);
            return dialogs.errors.join(QLatin1Char('\n'));
        }
        const RunResult run = Analyse(path);
        EXPECT_EQ(run.exitCode, status) << run.err.toStdString();
        return run.err;
    }

    QByteArray WindowSaved(TWel_Kor& w)
    {
        return QByteArray::fromStdString(welkor::JoinReportLines(w.report.SaveDocument()));
    }
};
