// The printed page, as painted at two resolutions and as a PDF read back
// by poppler, and printing on a machine without a printer.
#include "OutputFixture.h"

namespace {

// ---- Printing -------------------------------------------------------------------------------

TEST_F(Output, PrintedPageAt600And1200Dpi)
{
    TWel_Kor& w = StartWithExample();
    ASSERT_EQ(w.output->Logo().size(), QSize(600, 250)) << "the logo the build drew was not loaded";
    const QColor green(0, 0x80, 0);

    for (const int dpi : {600, 1200}) {
        SCOPED_TRACE(dpi);
        RecordingDevice device(dpi);
        QPainter painter(&device);
        PaintPrintedReport(painter, w.output->PrintedContent(), w.output->Logo(), [] { return false; });
        painter.end();
        auto dots = [dpi](int design) { return design * dpi / 600; };
        const QFontMetricsF body(PrintFont(welkor::PrintFace::Body), &device);
        const QFontMetricsF serif(PrintFont(welkor::PrintFace::Heading), &device);
        const int tab = 8 * QFontMetrics(PrintFont(welkor::PrintFace::Body), &device).averageCharWidth();
        auto top = [&](const Painted& t) {
            return std::lround(t.baseline.y() - (t.colour == green ? serif : body).ascent());
        };
        auto line = [&](int designY) {
            QList<Painted> pieces;
            for (const Painted& t : device.texts)
                if (t.colour == Qt::black && top(t) == dots(designY))
                    pieces << t;
            return pieces;
        };

        ASSERT_FALSE(device.texts.isEmpty());
        EXPECT_EQ(device.texts[0].text, w.commands->lR->text());
        EXPECT_EQ(device.texts[0].colour, green);
        EXPECT_EQ(device.texts[0].baseline.x(), dots(3200));
        EXPECT_EQ(top(device.texts[0]), dots(1000));
        EXPECT_EQ(device.images, QList<QRectF>{QRectF(dots(200), dots(200), dots(600), dots(250))});

        // Rows A-H: the letter at x = 400, every value on a tab stop counted
        // from the page edge, the same stops in every row.
        QList<qreal> columns;
        for (int r = 0; r < 8; ++r) {
            const QList<Painted> row = line(1200 + 110 * (7 + r));
            ASSERT_EQ(row.size(), 13) << r;
            EXPECT_EQ(row[0].baseline.x(), dots(400));
            for (int c = 1; c <= 12; ++c) {
                EXPECT_EQ(std::fmod(row[c].baseline.x(), tab), 0.0) << "row " << r << " value " << c;
                if (r == 0)
                    columns << row[c].baseline.x();
                EXPECT_EQ(row[c].baseline.x(), columns[c - 1]) << "row " << r << " value " << c;
            }
        }
        EXPECT_EQ(line(2940).value(0).text, QStringLiteral("Komentarz"));
        EXPECT_EQ(line(2940 + 220).value(0).text,
                  QStringLiteral("Surowica rozcieńczona 1:100, inkubacja 30 min w 37 °C."));
    }
}

TEST_F(Output, PrintToPdfPreviewAndWhatCannotBePrinted)
{
    // No logo beside the program, or one that is no picture: no word at start.
    WriteFile(kLogoFileName, "BM to nie jest obrazek");
    Start();
    EXPECT_TRUE(window->output->Logo().isNull());
    window->commands->Drukuj1->trigger();
    window->commands->PodgladWydruku1->trigger();
    EXPECT_EQ(dialogs.informations, QStringList(2, QStringLiteral("Brak danych!")));
    EXPECT_TRUE(dialogs.errors.isEmpty());
    QFile::remove(Path(kLogoFileName));

    // A PDF chosen in the set-up dialog, then Ctrl+P.
    TWel_Kor& w = StartWithExample();
    const QString pdf = Path(QStringLiteral("raport.pdf"));
    dialogs.printerSetupAnswers.push_back([pdf](QPrinter& printer) { printer.setOutputFileName(pdf); });
    w.commands->Ustawieniadrukowania1->trigger();
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    const QString info = Poppler(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Title:           pomiar.pdf\n"))) << info.toStdString();
    // Page 1 at 50 dpi: green in the heading (x = 3200/600 inch) and in the logo.
    Poppler(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, Path(QStringLiteral("strona"))});
    const QImage page(Path(QStringLiteral("strona.png")));
    auto greenIn = [&](QRect area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = page.pixelColor(x, y);
                n += c.green() > 60 && c.red() < 80 && c.blue() < 80;
            }
        return n;
    };
    ASSERT_EQ(page.width(), 414);
    EXPECT_GT(greenIn(QRect(270, 80, 140, 30)), 10) << "heading";
    EXPECT_GT(greenIn(QRect(10, 10, 80, 40)), 30) << "logo";
    // A second print asks before it replaces the first; "Nie" keeps it.
    const QByteArray first = ReadFile(QStringLiteral("raport.pdf"));
    dialogs.yesNoAnswers.push_back(false);
    w.commands->Drukuj1->trigger();
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(ReadFile(QStringLiteral("raport.pdf")), first);

    // The preview of a long comment: page 1 as designed, the rest on page 2.
    for (int k = 0; k < 60; ++k)
        w.tsRaport->mKomentarz->appendPlainText(QStringLiteral("wiersz %1").arg(k));
    QPrinter preview(QPrinter::HighResolution);
    preview.setOutputFileName(Path(QStringLiteral("podglad.pdf")));
    dialogs.previewTarget = &preview;
    w.commands->PodgladWydruku1->trigger();
    EXPECT_EQ(dialogs.previewPrinterDocName, QStringLiteral("pomiar.pdf"));
    EXPECT_TRUE(Poppler(QStringLiteral("pdfinfo"), {Path(QStringLiteral("podglad.pdf"))})
                    .contains(QRegularExpression(QStringLiteral("Pages: +2\n"))));

    // Nothing to print on (as on a machine without printers): a message
    // instead of a silent nothing.
    dialogs.printerSetupAnswers.push_back([](QPrinter& printer) {
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::PdfFormat);
    });
    w.commands->Ustawieniadrukowania1->trigger();
    w.commands->Drukuj1->trigger();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Nie można rozpocząć wydruku"))) << dialogs.errors[0].toStdString();
}

// What Qt's print dialog does to the printer when the user picks "Drukuj do
// pliku (PDF)", a file and a paper, and confirms.
std::function<void(QPrinter&)> ChoosePdf(const QString& file, QPageSize::PageSizeId paper = QPageSize::A4,
                                         QPageLayout::Orientation orientation = QPageLayout::Portrait)
{
    return [=](QPrinter& printer) {
        printer.setPrinterName(QString());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageLayout(QPageLayout(QPageSize(paper), orientation, printer.pageLayout().margins()));
    };
}

// On a machine without printers: where one is set up, a print without a
// chosen PDF file does not fail.
class PrinterlessOutput : public Output {
protected:
    void SetUp() override
    {
        Output::SetUp();
        if (QPrinter(QPrinter::HighResolution).outputFormat() != QPrinter::PdfFormat)
            GTEST_SKIP() << "this machine has a printer: a print without a chosen PDF file would not fail";
    }
};

TEST_F(PrinterlessOutput, AFailedPrintLeavesTheNextToThePdfChosenInTheSetUp)
{
    TWel_Kor& w = StartWithExample();
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Nie można rozpocząć wydruku (nie wybrano drukarki ani "
                                                            "pliku PDF)")));

    // The set-up offers the report's name in its folder; taken, on A5 across.
    dialogs.printerSetupAnswers.push_back(
        ChoosePdf(Path(QStringLiteral("pomiar.pdf")), QPageSize::A5, QPageLayout::Landscape));
    w.commands->Ustawieniadrukowania1->trigger();
    EXPECT_EQ(dialogs.printerSetupOffers, QStringList{Path(QStringLiteral("pomiar.pdf"))});
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(dialogs.errors.size(), 1) << dialogs.errors.join('\n').toStdString();
    const QString info = Poppler(QStringLiteral("pdfinfo"), {Path(QStringLiteral("pomiar.pdf"))});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size: +595[.\\d]* x 4[12][.\\d]* pts \\(A5\\)"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Title:           pomiar.pdf\n"))) << info.toStdString();
    EXPECT_TRUE(PdfText(QStringLiteral("pomiar.pdf")).contains(QStringLiteral("Kontrole ujemne: C1-E1")));
}

TEST_F(PrinterlessOutput, ThePreviewPrintsAfterFailedPrintsOfItsOwnAndOfTheMenu)
{
    TWel_Kor& w = StartWithExample();
    w.commands->Drukuj1->trigger();
    dialogs.previewPrintAnswers.push_back(ChoosePdf(Path(QStringLiteral("podglad.pdf"))));
    w.commands->PodgladWydruku1->trigger(); // its print button, a PDF chosen in its print dialog
    EXPECT_EQ(dialogs.errors.size(), 1) << dialogs.errors.join('\n').toStdString();
    EXPECT_TRUE(PdfText(QStringLiteral("podglad.pdf")).contains(QStringLiteral("Komentarz")));

    // A printer that refuses the job and stays "active", as Qt's PDF printer
    // without a file does: the set-up still changes the printer afterwards,
    // and both the menu and the preview print again.
    dialogs.previewPrintAnswers.push_back([](QPrinter& printer) {
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::PdfFormat);
    });
    w.commands->PodgladWydruku1->trigger();
    ASSERT_EQ(dialogs.errors.size(), 2);
    dialogs.printerSetupAnswers.push_back(ChoosePdf(Path(QStringLiteral("menu.pdf"))));
    w.commands->Ustawieniadrukowania1->trigger();
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    dialogs.previewPrintAnswers.push_back(ChoosePdf(Path(QStringLiteral("drugi.pdf"))));
    w.commands->PodgladWydruku1->trigger();
    EXPECT_EQ(dialogs.errors.size(), 2) << dialogs.errors.join('\n').toStdString();
    EXPECT_TRUE(PdfText(QStringLiteral("menu.pdf")).contains(QStringLiteral("Komentarz")));
    EXPECT_TRUE(PdfText(QStringLiteral("drugi.pdf")).contains(QStringLiteral("Komentarz")));
}

// Qt's print support comes with its module at the first print. Without it
// the print commands say so and change nothing; the rest of the program
// works, and the module put in place later is taken at the next try.
TEST_F(Output, WithoutItsPrintModuleThePrintCommandsSayWhyAndTheNextTryPrints)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("moduly")));
    printModule = Path(QStringLiteral("moduly/welkor-lumo-print.so"));
    TWel_Kor& w = StartWithExample();
    const QString pdf = Path(QStringLiteral("raport.pdf"));
    dialogs.printerSetupAnswers.push_back([pdf](QPrinter& printer) { printer.setOutputFileName(pdf); });
    for (QAction* command : {w.commands->Ustawieniadrukowania1, w.commands->Drukuj1, w.commands->PodgladWydruku1})
        command->trigger();
    ASSERT_EQ(dialogs.errors.size(), 3);
    for (const QString& error : dialogs.errors)
        EXPECT_TRUE(error.startsWith(QStringLiteral("Nie można wczytać obsługi drukowania z pliku „%1”:").arg(printModule)))
            << error.toStdString();
    EXPECT_EQ(dialogs.printerSetupsShown, 0);
    EXPECT_EQ(dialogs.previewsShown, 0);
    EXPECT_FALSE(QFileInfo::exists(pdf));
    Export([&] { w.commands->Zapisz2->trigger(); }, QStringLiteral("eksport.txt"), 0);
    EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("eksport.txt"))));

    ASSERT_TRUE(QFile::copy(QStringLiteral(WELKOR_PRINT_MODULE), printModule));
    w.commands->Ustawieniadrukowania1->trigger();
    w.commands->Drukuj1->trigger();
    EXPECT_EQ(dialogs.errors.size(), 3) << dialogs.errors.join('\n').toStdString();
    EXPECT_TRUE(PdfText(QStringLiteral("raport.pdf")).contains(QStringLiteral("Komentarz")));
}

TEST_F(Output, ThePdfOfferedFollowsTheReportsFile)
{
    TWel_Kor& w = Start();
    w.commands->Ustawieniadrukowania1->trigger();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("wyniki")));
    WriteFile(QStringLiteral("pomiar.raport.rap"), SampleReport());
    dialogs.fileAnswers.push_back(Path(QStringLiteral("pomiar.raport.rap")));
    w.commands->Otwrz1->trigger();
    w.commands->Ustawieniadrukowania1->trigger();
    w.commands->PodgladWydruku1->trigger();
    dialogs.fileAnswers.push_back(Path(QStringLiteral("wyniki/kopia.rap")));
    w.commands->Zapisz1->trigger();
    w.commands->Ustawieniadrukowania1->trigger();
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(dialogs.printerSetupOffers,
              QStringList({QDir::home().filePath(QStringLiteral("Pomiar.pdf")),
                           Path(QStringLiteral("pomiar.raport.pdf")), Path(QStringLiteral("wyniki/kopia.pdf"))}));
    EXPECT_EQ(dialogs.previewOffers, QStringList{Path(QStringLiteral("pomiar.raport.pdf"))});
}

} // namespace
