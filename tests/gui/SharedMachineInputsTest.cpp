// A lab computer shared by several technicians: inputs that are not files,
// names that are not UTF-8, a file size limit, and a batch's strays.
#include "SharedMachineFixture.h"

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
