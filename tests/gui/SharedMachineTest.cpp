// A lab computer shared by several technicians: links planted in shared
// folders, files that are not regular, temporaries, and a colleague's save.
#include "SharedMachineFixture.h"

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

            const QString message = SaveAndTell(w, link, viaWindow, c.refusal.isEmpty() ? 0 : 1);
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
            const QString message = SaveAndTell(w, target, viaWindow, 1);
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
