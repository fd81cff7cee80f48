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

namespace {

const QString kCli = QStringLiteral(WELKOR_CLI);
const QString kExample = QStringLiteral(WELKOR_EXAMPLES_DIR "/pomiar_przyklad.rap");

QByteArray Bytes(const QString& path) { return FileNameBytes(path); }

// What the name is in the folder, the link itself rather than its target;
// 0 when there is nothing.
mode_t TypeOf(const QString& path)
{
    struct stat status{};
    return ::lstat(Bytes(path).constData(), &status) == 0 ? (status.st_mode & S_IFMT) : 0;
}

struct stat StatusOf(const QString& path)
{
    struct stat status{};
    EXPECT_EQ(::lstat(Bytes(path).constData(), &status), 0) << path.toStdString();
    return status;
}

// The file's bytes, by the bytes of its name.
QByteArray Content(const QString& path)
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
std::set<std::string> Entries(const QString& folder)
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

bool HasTemporaries(const QString& folder)
{
    for (const std::string& name : Entries(folder))
        if (name.find(".welkor-zapis-") != std::string::npos)
            return true;
    return false;
}

void MakeFile(const QString& path, const QByteArray& bytes, mode_t mode, uid_t owner = 0, gid_t group = 0)
{
    const int fd = ::open(Bytes(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0) << path.toStdString();
    ASSERT_EQ(::write(fd, bytes.constData(), static_cast<std::size_t>(bytes.size())), bytes.size());
    ::close(fd);
    ASSERT_EQ(::chown(Bytes(path).constData(), owner, group), 0);
    ASSERT_EQ(::chmod(Bytes(path).constData(), mode), 0);
}

void MakeFolder(const QString& path, mode_t mode, uid_t owner = 0, gid_t group = 0)
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

    QByteArray WindowSaved(TWel_Kor& w)
    {
        return QByteArray::fromStdString(welkor::JoinReportLines(w.report.SaveDocument()));
    }
};

} // namespace

// A link is followed only where the system would follow it on a machine that
// protects links; otherwise nothing changes, neither where it points nor the
// link, and the message says why. The same through welkor-lumo-cli and
// "Zapisz".
TEST_F(SharedMachineTest, LinksAreFollowedOnlyWhereTheSystemWould)
{
    WELKOR_SECOND_USERS(users);
    const QString privateDir = Path(QStringLiteral("prywatne"));
    const QString shared = Path(QStringLiteral("wspolne"));
    const QString link = shared + QStringLiteral("/wynik.rap");
    const QString target = privateDir + QStringLiteral("/raport.rap");
    const QString planted = QStringLiteral("To jest dowiązanie symboliczne innego użytkownika");
    const struct {
        const char* what;
        const TestUser* planter; // null: the saving user (root)
        mode_t folderMode;
        bool dangling;
        QString refusal; // empty: followed
    } cases[] = {
        {"another user's link in a sticky folder open to all", &users.b, 01777, false, planted},
        {"another user's dangling link there", &users.b, 01777, true, planted},
        {"the saving user's own link there", nullptr, 01777, false, {}},
        {"the saving user's own dangling link", nullptr, 01777, true, {}},
        {"another user's link in a folder that is not sticky", &users.b, 0777, false, {}},
    };
    TWel_Kor& w = WindowWithReport();
    const QByteArray fromCli = Analysed();
    const QByteArray fromWindow = WindowSaved(w);
    for (const auto& c : cases) {
        for (const bool viaWindow : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (viaWindow ? " (Zapisz)" : " (welkor-lumo-cli)"));
            MakeFolder(privateDir, 0700);
            MakeFolder(shared, c.folderMode);
            if (!c.dangling)
                MakeFile(target, "stary", 0600);
            if (c.planter)
                ASSERT_EQ(RunAs(c.planter, QStringLiteral("ln"), {QStringLiteral("-s"), target, link}).exitCode, 0);
            else
                ASSERT_TRUE(QFile::link(target, link));

            QString message;
            if (viaWindow) {
                SaveInWindow(w, link);
                message = dialogs.errors.join(QLatin1Char('\n'));
            } else {
                const RunResult run = Analyse(link);
                EXPECT_EQ(run.exitCode, c.refusal.isEmpty() ? 0 : 1) << run.err.toStdString();
                message = run.err;
            }
            EXPECT_EQ(TypeOf(link), mode_t{S_IFLNK});
            EXPECT_EQ(QFile::symLinkTarget(link), target);
            if (c.refusal.isEmpty()) {
                EXPECT_TRUE(message.isEmpty()) << message.toStdString();
                EXPECT_EQ(Content(target), viaWindow ? fromWindow : fromCli);
            } else {
                EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot create file \"%1\". %2").arg(link, c.refusal)))
                    << message.toStdString();
                EXPECT_TRUE(message.contains(QStringLiteral("Plik pozostał bez zmian."))) << message.toStdString();
                EXPECT_EQ(TypeOf(target), c.dangling ? mode_t{0} : mode_t{S_IFREG});
                if (!c.dangling) {
                    EXPECT_EQ(Content(target), QByteArray("stary"));
                }
            }
            EXPECT_EQ(Entries(shared), std::set<std::string>{"wynik.rap"}); // no temporary left
            EXPECT_EQ(Entries(privateDir).size(), c.dangling && !c.refusal.isEmpty() ? 0u : 1u);
        }
    }

    // A loop of the user's own links.
    MakeFolder(shared, 0755);
    ASSERT_TRUE(QFile::link(shared + QStringLiteral("/b.rap"), shared + QStringLiteral("/a.rap")));
    ASSERT_TRUE(QFile::link(shared + QStringLiteral("/a.rap"), shared + QStringLiteral("/b.rap")));
    const RunResult loop = Analyse(shared + QStringLiteral("/a.rap"));
    EXPECT_EQ(loop.exitCode, 1);
    EXPECT_TRUE(loop.err.contains(QStringLiteral("Za dużo poziomów dowiązań symbolicznych."))) << loop.err.toStdString();

    // "eksport -o" into a shared folder where another user planted the
    // name of one result: that one is refused, the others are written.
    MakeFolder(privateDir, 0700);
    MakeFile(target, "stary", 0600);
    MakeFolder(shared, 01777);
    ASSERT_EQ(RunAs(&users.b, QStringLiteral("ln"), {QStringLiteral("-s"), target, shared + QStringLiteral("/pomiar.txt")})
                  .exitCode,
              0);
    QFile::copy(Report(), Path(QStringLiteral("drugi.rap")));
    const RunResult exported
        = RunAs(nullptr, kCli, {QStringLiteral("eksport"), Report(), Path(QStringLiteral("drugi.rap")), QStringLiteral("-o"), shared});
    EXPECT_EQ(exported.exitCode, 1);
    EXPECT_TRUE(exported.err.contains(planted)) << exported.err.toStdString();
    EXPECT_EQ(Content(target), QByteArray("stary"));
    EXPECT_EQ(Entries(shared), (std::set<std::string>{"drugi.txt", "pomiar.txt"}));
}

// A device node, a FIFO, a socket or a folder named as the output stays what
// it was; the save says why and the command line ends with status 1.
TEST_F(SharedMachineTest, OnlyRegularFilesAreReplaced)
{
    const QString target = Path(QStringLiteral("cel.rap"));
    std::unique_ptr<BoundSocket> socket;
    const struct {
        const char* what;
        std::function<void()> make;
        mode_t type;
        QString reason;
    } cases[] = {
        {"a device node like /dev/null",
         [&] { ASSERT_EQ(::mknod(Bytes(target).constData(), S_IFCHR | 0666, makedev(1, 3)), 0); }, S_IFCHR,
         QStringLiteral("To jest urządzenie znakowe, nie zwykły plik. Program zastępuje tylko zwykłe pliki.")},
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(Bytes(target).constData(), 0666), 0); }, S_IFIFO,
         QStringLiteral("To jest potok nazwany (FIFO), nie zwykły plik. Program zastępuje tylko zwykłe pliki.")},
        {"a socket", [&] { socket = std::make_unique<BoundSocket>(target); ASSERT_GE(socket->fd, 0); }, S_IFSOCK,
         QStringLiteral("To jest gniazdo, nie zwykły plik. Program zastępuje tylko zwykłe pliki.")},
        {"a folder", [&] { ASSERT_TRUE(QDir().mkdir(target)); }, S_IFDIR, QStringLiteral("To jest katalog, nie plik.")},
    };
    TWel_Kor& w = WindowWithReport();
    for (const auto& c : cases) {
        for (const bool viaWindow : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (viaWindow ? " (Zapisz)" : " (welkor-lumo-cli)"));
            c.make();
            const std::set<std::string> before = Entries(dir.path());
            QString message;
            if (viaWindow) {
                SaveInWindow(w, target);
                message = dialogs.errors.join(QLatin1Char('\n'));
            } else {
                const RunResult run = Analyse(target);
                EXPECT_EQ(run.exitCode, 1);
                message = run.err;
            }
            EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot create file \"%1\". %2").arg(target, c.reason)))
                << message.toStdString();
            EXPECT_EQ(TypeOf(target), c.type);
            EXPECT_EQ(Entries(dir.path()), before);
            socket.reset();
            QDir().rmdir(target);
            QFile::remove(target);
        }
    }
}

// The temporary of a private report is the saving user's alone: another user
// who opens every temporary the moment it appears opens none.
TEST_F(SharedMachineTest, TemporariesOfAPrivateReportAreNeverReadableByAnotherUser)
{
    WELKOR_SECOND_USERS(users);
    const QString folder = Path(QStringLiteral("wyniki"));
    MakeFolder(folder, 0755);
    const QString report = folder + QStringLiteral("/prywatny.rap");
    MakeFile(report, "stary", 0600);

    QProcess watcher;
    watcher.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=%1").arg(users.b.uid),
                                             QStringLiteral("--regid=%1").arg(users.b.gid),
                                             QStringLiteral("--init-groups"), QStringLiteral("--"),
                                             QStringLiteral(WELKOR_TEMPORARY_WATCHER), folder});
    ASSERT_TRUE(watcher.waitForReadyRead(30000)) << watcher.readAllStandardError().toStdString();
    ASSERT_EQ(watcher.readLine().trimmed(), QByteArray("gotowy"));

    TWel_Kor& w = WindowWithReport();
    for (int i = 0; i < 15; ++i) {
        SaveInWindow(w, report);
        ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
        ASSERT_EQ(Analyse(report).exitCode, 0);
    }
    MakeFile(folder + QStringLiteral("/koniec"), {}, 0644);
    ASSERT_TRUE(watcher.waitForFinished(30000));
    EXPECT_EQ(QString::fromLatin1(watcher.readAllStandardOutput()).trimmed(),
              QStringLiteral("widziane 30 otwarte 0 bajty 0"));
    EXPECT_EQ(StatusOf(report).st_mode & 07777, 0600u);
}

// A colleague's save keeps the file's group and permissions, so the group
// keeps its access; where the saving user is not in the group the file is
// saved and the user is told. A file the user may not write is not replaced.
TEST_F(SharedMachineTest, GroupAndPermissionsSurviveAColleaguesSave)
{
    WELKOR_SECOND_USERS(users);
    const QString folder = Path(QStringLiteral("pracownia"));
    const QString file = folder + QStringLiteral("/wspolny.rap");
    const QByteArray analysed = Analysed();
    const struct {
        const char* what;
        const TestUser* saver; // null: root, through "Zapisz"
        mode_t mode;
        uid_t owner; // after the save
        gid_t group;
        int exitCode;
        QString message;
    } cases[] = {
        {"a member of the group", &users.b, 0660, users.b.uid, users.lab, 0, {}},
        {"someone outside the group, the file writable by all", &users.c, 0666, users.c.uid, users.c.gid, 0,
         QStringLiteral("Plik „%1” został zapisany, ale bez swojej dotychczasowej grupy „%2”: zapisujący użytkownik "
                        "do niej nie należy.")
             .arg(file, users.labName)},
        {"someone outside the group, the file not theirs to write", &users.c, 0664, users.a.uid, users.lab, 1,
         QStringLiteral("Cannot create file \"%1\". Brak uprawnień do zapisu tego pliku. Plik pozostał bez zmian.")
             .arg(file)},
        {"root, who keeps the owner too", nullptr, 0640, users.a.uid, users.lab, 0, {}},
    };
    TWel_Kor& w = WindowWithReport();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeFolder(folder, 0777);
        MakeFile(file, "stary", c.mode, users.a.uid, users.lab);
        QString message;
        if (c.saver) {
            const RunResult run = Analyse(file, c.saver);
            EXPECT_EQ(run.exitCode, c.exitCode);
            message = run.err.trimmed();
        } else {
            SaveInWindow(w, file);
            message = (dialogs.errors + dialogs.informations).join(QLatin1Char('\n'));
        }
        EXPECT_TRUE(c.message.isEmpty() ? message.isEmpty() : message.startsWith(c.message)) << message.toStdString();
        const struct stat after = StatusOf(file);
        EXPECT_EQ(after.st_uid, c.owner);
        EXPECT_EQ(after.st_gid, c.group);
        EXPECT_EQ(after.st_mode & 07777, c.mode);
        EXPECT_EQ(Content(file), c.exitCode != 0 ? QByteArray("stary") : c.saver ? analysed : WindowSaved(w));
        EXPECT_EQ(Entries(folder).size(), 1u);
    }
    // After a member's save the owner, in the group, still reads the file.
    MakeFolder(folder, 0777);
    MakeFile(file, "stary", 0660, users.a.uid, users.lab);
    ASSERT_EQ(Analyse(file, &users.b).exitCode, 0);
    EXPECT_EQ(RunAs(&users.a, QStringLiteral("cat"), {file}).out, analysed);
}

// An input that is not a regular file is refused at once, by every command
// and by the window, with the reason in Polish.
TEST_F(SharedMachineTest, InputsThatAreNotFilesAreRefusedAtOnce)
{
    const QString input = Path(QStringLiteral("wejscie.rap"));
    std::unique_ptr<BoundSocket> socket;
    const struct {
        const char* what;
        std::function<void()> make;
        QString reason;
    } cases[] = {
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(Bytes(input).constData(), 0666), 0); },
         QStringLiteral("To jest potok nazwany (FIFO), nie zwykły plik.")},
        {"a device", [&] { ASSERT_EQ(::mknod(Bytes(input).constData(), S_IFCHR | 0666, makedev(1, 5)), 0); },
         QStringLiteral("To jest urządzenie znakowe, nie zwykły plik.")},
        {"a socket", [&] { socket = std::make_unique<BoundSocket>(input); ASSERT_GE(socket->fd, 0); },
         QStringLiteral("To jest gniazdo, nie zwykły plik.")},
        {"a missing file", [] {}, QStringLiteral("Nie ma takiego pliku ani folderu.")},
    };
    const QString picture = Path(QStringLiteral("plyta.png"));
    const QList<QStringList> commands = {
        {QStringLiteral("sprawdz"), input},
        {QStringLiteral("eksport"), input},
        {QStringLiteral("analizuj"), input, QStringLiteral("--neg"), QStringLiteral("A1")},
        {QStringLiteral("obraz"), input, QStringLiteral("-o"), picture},
        {QStringLiteral("transmisja"), input, QStringLiteral("--operator"), QStringLiteral("Ewa")},
    };
    const QString expected = QStringLiteral("Cannot open file \"%1\". ").arg(input);
    TWel_Kor& w = Start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.make();
        for (const QStringList& command : commands) {
            const RunResult run = RunAs(nullptr, kCli, command, {}, 20);
            EXPECT_EQ(run.exitCode, 1) << command.first().toStdString();
            EXPECT_TRUE((QString::fromUtf8(run.out) + run.err).contains(expected + c.reason))
                << command.first().toStdString() << ": " << run.err.toStdString();
        }
        EXPECT_FALSE(QFile::exists(picture));
        // The window: "Otwórz" and "Otwórz szablon".
        for (QAction* open : {w.commands->Otwrz1, w.commands->Otwrzscchemat1}) {
            dialogs.errors.clear();
            dialogs.fileAnswers.push_back(input);
            open->trigger();
            ASSERT_EQ(dialogs.errors.size(), 1);
            EXPECT_EQ(dialogs.errors[0], expected + c.reason);
        }
        socket.reset();
        QFile::remove(input);
    }
}

// A Latin-2 name from an old share is listed, read and written under its own
// bytes: never skipped, never renamed.
TEST_F(SharedMachineTest, NamesThatAreNotUtf8AreNeitherSkippedNorRenamed)
{
    const QString folder = Path(QStringLiteral("stary-udzial"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QByteArray latin2 = "pomiar-\xB1\xE6"; // "pomiar-ąć" in ISO 8859-2
    const QString report = FileNameFromBytes(Bytes(folder) + "/" + latin2 + ".rap");
    ASSERT_TRUE(QFile::copy(kExample, folder + QStringLiteral("/zwykly.rap")));
    MakeFile(report, Content(kExample), 0644);
    ASSERT_EQ(Entries(folder), (std::set<std::string>{(latin2 + ".rap").toStdString(), "zwykly.rap"}));

    const RunResult check = RunAs(nullptr, kCli, {QStringLiteral("sprawdz"), folder});
    EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();
    EXPECT_EQ(check.out, Bytes(report) + ": ok\n" + Bytes(folder) + "/zwykly.rap: ok\n");

    const RunResult table = RunAs(nullptr, kCli, {QStringLiteral("eksport"), QStringLiteral("--format=dlugi"), folder});
    EXPECT_EQ(table.exitCode, 0);
    EXPECT_EQ(table.out.count("\n" + Bytes(report) + ","), 96);

    const QString out = Path(QStringLiteral("eksport"));
    EXPECT_EQ(RunAs(nullptr, kCli, {QStringLiteral("eksport"), folder, QStringLiteral("-o"), out}).exitCode, 0);
    EXPECT_EQ(Entries(out), (std::set<std::string>{(latin2 + ".txt").toStdString(), "zwykly.txt"}));

    // Named directly, and as the name of the result (the shell passes the
    // bytes; a Latin-2 "ą" is 0xB1).
    const RunResult named = RunAs(
        nullptr, QStringLiteral("sh"),
        {QStringLiteral("-c"), QStringLiteral("cd \"$1\" && exec \"$0\" analizuj pomiar-*.rap --neg A3 -o \"$(printf 'wynik-\\261.rap')\""),
         kCli, folder});
    EXPECT_EQ(named.exitCode, 0) << named.err.toStdString();
    EXPECT_TRUE(Entries(folder).count("wynik-\xB1.rap")) << "the result was not written under its own name";
    EXPECT_EQ(Entries(folder).size(), 3u);

    // The window opens such a name from its command line and saves under one.
    TWel_Kor& w = Start({report});
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_TRUE(w.report.hasData());
    const QString saved = FileNameFromBytes(Bytes(folder) + "/okno-\xB1.rap");
    SaveInWindow(w, saved);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(Content(saved), WindowSaved(w));
    EXPECT_TRUE(Entries(folder).count("okno-\xB1.rap"));

    // Qt's own clean-up of the temporary folder cannot name these files.
    for (const QString& f : {folder, out})
        for (const std::string& name : Entries(f))
            ::unlink((Bytes(f) + "/" + QByteArray::fromStdString(name)).constData());
}

// A file-size limit (ulimit -f) smaller than the result: the save fails with
// the reason and leaves the old file, instead of the process dying silently.
TEST_F(SharedMachineTest, FileSizeLimitIsAFailedSaveWithItsReason)
{
    const QString output = Path(QStringLiteral("wynik.rap"));
    MakeFile(output, "stary", 0644);
    const QString reason = QStringLiteral("(ograniczenie rozmiaru plików, ulimit -f)");
    const RunResult run = RunAs(nullptr, QStringLiteral("sh"),
                                {QStringLiteral("-c"), QStringLiteral("ulimit -f 1 && exec \"$0\" \"$@\""), kCli,
                                 QStringLiteral("analizuj"), Report(), QStringLiteral("--neg"), QStringLiteral("A3"),
                                 QStringLiteral("-o"), output});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(reason)) << run.err.toStdString();
    EXPECT_EQ(Content(output), QByteArray("stary"));
    EXPECT_FALSE(HasTemporaries(dir.path()));

    TWel_Kor& w = WindowWithReport();
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit small = before;
    small.rlim_cur = 512;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    SaveInWindow(w, output);
    ::setrlimit(RLIMIT_FSIZE, &before);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(reason)) << dialogs.errors[0].toStdString();
    EXPECT_EQ(Content(output), QByteArray("stary"));
    EXPECT_FALSE(HasTemporaries(dir.path()));
}

// An export of many files lists its output folder once, yet still removes
// the temporaries that killed saves left of each file it writes, and only
// the saving user's own.
TEST_F(SharedMachineTest, BatchExportRemovesTheStraysOfItsFilesOnly)
{
    const QString out = Path(QStringLiteral("wyniki"));
    MakeFolder(out, 0755);
    pid_t freePid = 4194000;
    while (::kill(freePid, 0) == 0)
        --freePid;
    const QString stray = QStringLiteral(".%1.welkor-zapis-%2-AbC123");
    for (const char* file : {"pomiar.txt", "drugi.txt", "inny.txt"})
        MakeFile(out + QLatin1Char('/') + stray.arg(QLatin1String(file)).arg(freePid), "stary", 0600);
    const QString foreign = QStringLiteral(".pomiar.txt.welkor-zapis-%1-Obcy00").arg(freePid);
    MakeFile(out + QLatin1Char('/') + foreign, "obcy", 0600, 12345, 12345);
    ASSERT_TRUE(QFile::copy(Report(), Path(QStringLiteral("drugi.rap"))));

    const RunResult run = RunAs(nullptr, kCli, {QStringLiteral("eksport"), Report(), Path(QStringLiteral("drugi.rap")),
                                                QStringLiteral("-o"), out});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(Entries(out), (std::set<std::string>{"drugi.txt", "pomiar.txt", foreign.toStdString(),
                                                    stray.arg(QStringLiteral("inny.txt")).arg(freePid).toStdString()}));
}
