#include "WindowFixture.h"

#include "gui/shell/HelpViewer.h"
#include "gui/dialogs/TOWelkor1.h"
#include "gui/widgets/Fonts.h"

#include <QApplication>
#include <QLabel>
#include <QPaintEngine>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

using namespace welkor::gui;

namespace {

const QString kHelp = QStringLiteral("Brosalin 1.html");

void CopyHelpTo(const QString& folder)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(QStringLiteral(WELKOR_SOURCE_DIR "/data/help/") + kHelp, QDir(folder).filePath(kHelp)));
}

// The first line of text at the top of the help viewer.
QString TopLine(const HelpViewer& viewer)
{
    QTextCursor cursor = viewer.browser->cursorForPosition(QPoint(4, 4));
    QTextBlock block = cursor.block();
    while (block.isValid() && block.text().trimmed().isEmpty())
        block = block.next();
    return block.text();
}

// A paint device that keeps what is painted on it: texts with the baseline
// they start at and their font, and pictures with their place.
class RecordingEngine : public QPaintEngine {
public:
    struct Text {
        QPointF baseline;
        QString text;
        QFont font;
        qreal end = 0; // x where the text stops
    };
    std::vector<Text> texts;
    std::vector<QRectF> pictures;

    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF& target, const QPixmap&, const QRectF&) override { pictures.push_back(target); }
    void drawTextItem(const QPointF& at, const QTextItem& item) override
    {
        // Pieces of one text (one per run of a font) join up.
        if (!texts.empty() && texts.back().baseline.y() == at.y() && qAbs(texts.back().end - at.x()) < 0.5) {
            texts.back().text += item.text();
            texts.back().end += item.width();
        } else {
            texts.push_back({at, item.text(), item.font(), at.x() + item.width()});
        }
    }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    Type type() const override { return QPaintEngine::User; }
};

class RecordingDevice : public QPaintDevice {
public:
    mutable RecordingEngine engine;
    QPaintEngine* paintEngine() const override { return &engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return 383;
        case PdmHeight: return 267;
        case PdmWidthMM: return 101;
        case PdmHeightMM: return 71;
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return 96; // dots per inch
        }
    }
};

struct Placed {
    int left, top, points;
    QString text;
    bool operator==(const Placed&) const = default;
};

std::vector<Placed> RecordCredits(TOWelkor1& box, RecordingDevice& device)
{
    {
        QPainter painter(&device);
        box.pbWspPaint(painter);
    }
    std::vector<Placed> placed;
    for (const auto& t : device.engine.texts) {
        const qreal ascent = QFontMetricsF(t.font, &device).ascent();
        placed.push_back({qRound(t.baseline.x()), qRound(t.baseline.y() - ascent), t.font.pointSize(), t.text});
        EXPECT_TRUE(SerifFamilies().contains(QFontInfo(t.font).family()))
            << QFontInfo(t.font).family().toStdString() << " for " << t.text.toStdString();
    }
    return placed;
}

} // namespace

TEST_F(WindowTest, HelpOpensAtTheTopAndAtTheIndex)
{
    CopyHelpTo(dir.path());
    TWel_Kor& w = Start();
    w.commands->Indeks1->trigger();
    ASSERT_NE(w.shell->helpViewer, nullptr);
    EXPECT_TRUE(w.shell->helpViewer->isVisible());
    EXPECT_EQ(w.shell->helpViewer->browser->source().toLocalFile(), Path(kHelp));
    EXPECT_GT(w.shell->helpViewer->browser->verticalScrollBar()->value(), 0);
    EXPECT_EQ(TopLine(*w.shell->helpViewer), QStringLiteral("Indeks"));

    w.commands->Pomoc2->trigger();
    EXPECT_EQ(w.shell->helpViewer->browser->verticalScrollBar()->value(), 0);
    EXPECT_EQ(TopLine(*w.shell->helpViewer), QStringLiteral("Welkor Lumo 1 – pomoc"));
    EXPECT_TRUE(dialogs.informations.isEmpty()) << dialogs.informations.join(QLatin1Char('\n')).toStdString();
}

TEST_F(WindowTest, EscapeClosesTheHelp)
{
    CopyHelpTo(dir.path());
    TWel_Kor& w = Start();
    w.commands->Pomoc2->trigger();
    ASSERT_NE(w.shell->helpViewer, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.shell->helpViewer));
    w.shell->helpViewer->browser->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(w.shell->helpViewer->isVisible());
    EXPECT_TRUE(w.isVisible());
}

TEST_F(WindowTest, InstalledProgramFindsItsHelpAndLogoUnderShareAndAMissingHelpIsNamed)
{
    executableDir = Path(QStringLiteral("usr/bin"));
    ASSERT_TRUE(QDir().mkpath(executableDir));
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("usr/share/welkor-lumo"))));
    ASSERT_TRUE(QFile::copy(QStringLiteral(WELKOR_BUILT_LOGO), Path(QStringLiteral("usr/share/welkor-lumo/Marvant.bmp"))));
    TWel_Kor& w = Start();
    EXPECT_FALSE(w.output->Logo().isNull());
    w.commands->Pomoc2->trigger();
    ASSERT_EQ(dialogs.informations.size(), 1);
    EXPECT_EQ(dialogs.informations[0],
              QStringLiteral("Nie znaleziono pliku pomocy:\n")
                  + QDir::toNativeSeparators(QDir(executableDir).filePath(kHelp)));
    EXPECT_EQ(w.shell->helpViewer, nullptr);

    CopyHelpTo(Path(QStringLiteral("usr/share/welkor-lumo")));
    w.commands->Pomoc2->trigger();
    ASSERT_NE(w.shell->helpViewer, nullptr);
    EXPECT_EQ(w.shell->helpViewer->browser->source().toLocalFile(), Path(QStringLiteral("usr/share/welkor-lumo/")) + kHelp);
}

TEST_F(WindowTest, AboutBoxShowsTheProductAndLogoAndClosesBothWays)
{
    TWel_Kor& w = Start();
    bool checked = false;
    dialogs.modalScripts.push_back([&](QDialog& dialog) {
        auto& box = dynamic_cast<TOWelkor1&>(dialog);
        EXPECT_EQ(box.windowTitle(), QStringLiteral("O Welkor Lumo 1"));
        EXPECT_EQ(box.PageControl1->currentWidget(), box.tsOWelkor);
        EXPECT_EQ(box.PageControl1->tabText(0), QStringLiteral("Welkor Lumo 1"));
        EXPECT_EQ(box.PageControl1->tabText(1), QStringLiteral("Informacje"));
        EXPECT_EQ(box.lWelkor->text(), QStringLiteral("Welkor Lumo 1"));
        EXPECT_EQ(box.lWelkor->pos(), QPoint(33, 32));
        EXPECT_EQ(box.lWelkor->font().pointSize(), 33);
        EXPECT_TRUE(box.lWelkor->font().bold());
        EXPECT_TRUE(MonoFamilies().contains(QFontInfo(box.lWelkor->font()).family()));
        // The name is drawn in green, nothing darker.
        const QImage name = box.lWelkor->grab().toImage();
        int green = 0, dark = 0;
        for (int y = 0; y < name.height(); ++y)
            for (int x = 0; x < name.width(); ++x) {
                const QColor c = name.pixelColor(x, y);
                green += c == QColor(0, 0x80, 0);
                dark += c.red() < 60 && c.blue() < 60 && c.green() < 60;
            }
        EXPECT_GT(green, 200);
        EXPECT_EQ(dark, 0);
        EXPECT_LE(box.lWelkor->geometry().right(), box.tsOWelkor->width()); // the whole name shows
        EXPECT_EQ(box.iZnak->geometry(), QRect(8, 128, 74, 88));
        // The emblem's bottom-left colour is see-through, its drawing is not.
        const QImage logo = box.logo.toImage();
        EXPECT_EQ(logo.size(), QSize(75, 88));
        EXPECT_EQ(qAlpha(logo.pixel(0, 87)), 0);
        EXPECT_EQ(qAlpha(logo.pixel(37, 44)), 255);
        EXPECT_EQ(box.iZnak->pixmap().cacheKey(), box.logo.cacheKey());
        // Centred over the main window.
        EXPECT_LE((box.geometry().center() - w.geometry().center()).manhattanLength(), 2);
        EXPECT_EQ(box.bZamknij->text(), QStringLiteral("Zamknij"));
        QTest::mouseClick(box.bZamknij, Qt::LeftButton);
        EXPECT_FALSE(box.isVisible());
        checked = true;
    });
    dialogs.modalScripts.push_back([](QDialog& dialog) { dialog.close(); }); // the title bar's close box
    w.commands->OWelkor11->trigger();
    w.commands->OWelkor11->trigger();
    EXPECT_TRUE(checked);
    EXPECT_EQ(dialogs.modalsShown, QStringList({QStringLiteral("O Welkor Lumo 1"), QStringLiteral("O Welkor Lumo 1")}));
    EXPECT_TRUE(w.isEnabled());
}

TEST_F(WindowTest, CreditsArePaintedAtTheirPlacesEveryTime)
{
    TOWelkor1 box(nullptr);
    RecordingDevice device;
    const std::vector<Placed> credits = RecordCredits(box, device);
    ASSERT_EQ(credits.size(), 11u);
    const std::vector<Placed> headings = {credits[0], credits[2], credits[3], credits[7], credits[9], credits[10]};
    EXPECT_EQ(headings, (std::vector<Placed>{
                            {22, 33, 9, QStringLiteral("Autor:")},
                            {22, 66, 9, QStringLiteral("Współpracownicy:")},
                            {44, 88, 9, QStringLiteral("Konsultacja naukowa:")},
                            {44, 164, 9, QStringLiteral("Sprawy sprzętowe:")},
                            {22, 222, 8, QStringLiteral("Autor wierzy, że zostanie mu wybaczone")},
                            {22, 235, 8, QStringLiteral("pominięcie tytułów naukowych.")},
                        }));
    // Five names, one person's full name each, at x = 77.
    const std::pair<int, std::size_t> names[] = {{33, 1}, {110, 4}, {125, 5}, {140, 6}, {190, 8}};
    for (const auto& [top, i] : names) {
        EXPECT_EQ(QPoint(credits[i].left, credits[i].top), QPoint(77, top)) << credits[i].text.toStdString();
        EXPECT_EQ(credits[i].points, 9);
        EXPECT_EQ(credits[i].text.split(QLatin1Char(' ')).size(), 2) << credits[i].text.toStdString();
    }
    EXPECT_EQ(device.engine.pictures, std::vector<QRectF>{QRectF(270, 160, 75, 88)});

    // A repaint draws the same again.
    RecordingDevice again;
    EXPECT_EQ(RecordCredits(box, again), credits);
    EXPECT_EQ(again.engine.pictures, device.engine.pictures);
}
