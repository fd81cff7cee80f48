// What the program sets up before its window to start faster must not change
// a pixel: fonts named by the face behind the desktop's generic family, and
// the overflow arrows read from the style when first drawn.
#include "gui/app/FontConfigWarmUp.h"
#include "gui/widgets/DeferredIconStyle.h"
#include "gui/widgets/Fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMenuBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using namespace welkor::gui;

namespace {

// The generic faces are in force for one test only.
struct GenericFacesInForce {
    explicit GenericFacesInForce(const QHash<QString, QString>& faces) { UseGenericFaces(faces); }
    ~GenericFacesInForce() { UseGenericFaces({}); }
};

// What a font draws: its face, and the advance of a Polish line.
struct Drawn {
    QString face;
    int advance;
    int lineSpacing;
    bool operator==(const Drawn&) const = default;
};

Drawn DrawnBy(const QFont& font)
{
    const QString line = QStringLiteral("Zażółć gęślą jaźń 0123,456 ŁÓDŹ\tMikropłytka");
    const QFontMetrics metrics(font);
    return {QFontInfo(font).family(), metrics.horizontalAdvance(line), metrics.lineSpacing()};
}

void PrintTo(const Drawn& drawn, std::ostream* os)
{
    *os << drawn.face.toStdString() << " advance " << drawn.advance << " line " << drawn.lineSpacing;
}

QImage Pixels(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

} // namespace

// The window's font, the report's fixed-pitch font and the application font,
// each named by its face, draw exactly what the generic name drew.
TEST(GenericFaces, FontsNamedByTheirFaceDrawExactlyWhatTheGenericNameDrew)
{
    FontConfigWarmUp fonts;
    const QHash<QString, QString> faces = fonts.GenericFaces();
#ifndef _WIN32
    ASSERT_FALSE(faces.isEmpty()) << "fontconfig gave no face for the generic families";
#endif
    const QFont application = QApplication::font();
    ASSERT_TRUE(faces.contains(application.family().toCaseFolded()))
        << application.family().toStdString() << " is not a generic family here";
    const auto at8 = [](QFont font) {
        font.setPointSize(8);
        return font;
    };
    const QFont before[] = {at8(FontOf(WindowFamilies())), at8(QFontDatabase::systemFont(QFontDatabase::FixedFont)),
                            application};

    const GenericFacesInForce inForce(faces);
    NameApplicationFontByFace();
    const QFont now[] = {at8(FontOf(WindowFamilies())), at8(FixedPitchFont()), QApplication::font()};
    QApplication::setFont(application);

    const QStringList installed = QFontDatabase::families();
    for (std::size_t i = 0; i < std::size(now); ++i) {
        SCOPED_TRACE(i);
        // Named by an installed face, not by a generic family Qt cannot open.
        EXPECT_TRUE(installed.contains(now[i].family())) << now[i].family().toStdString();
        EXPECT_FALSE(faces.contains(now[i].family().toCaseFolded())) << now[i].family().toStdString();
        EXPECT_EQ(now[i].pointSizeF(), before[i].pointSizeF());
        EXPECT_EQ(DrawnBy(now[i]), DrawnBy(before[i]));
    }
}

TEST(GenericFaces, AFaceThatIsNotInstalledLeavesTheFamilyAsItWas)
{
    const QString generic = QApplication::font().family();
    const GenericFacesInForce inForce({{generic.toCaseFolded(), QStringLiteral("No Such Face Anywhere")},
                                       {QStringLiteral("monospace"), QStringLiteral("No Such Face Anywhere")}});
    EXPECT_EQ(FontOf({generic}).family(), generic);
    EXPECT_EQ(FixedPitchFont().family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
}

TEST(DeferredIconStyle, TheOverflowArrowsAreTheStylesOwnAtEverySizeAndDirection)
{
    const std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("Fusion")));
    const DeferredIconStyle deferred(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const QStyle::StandardPixmap arrow :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
            QStyleOption option;
            option.direction = direction;
            const QIcon expected = plain->standardIcon(arrow, &option);
            const QIcon icon = deferred.standardIcon(arrow, &option);
            ASSERT_FALSE(icon.isNull());
            ASSERT_FALSE(expected.availableSizes().isEmpty());
            EXPECT_EQ(icon.availableSizes(), expected.availableSizes());
            for (const QSize size : expected.availableSizes() + QList<QSize>{QSize(16, 16), QSize(7, 7)}) {
                SCOPED_TRACE(
                    testing::Message() << arrow << " " << direction << " " << size.width() << "x" << size.height());
                EXPECT_EQ(icon.actualSize(size), expected.actualSize(size));
                EXPECT_EQ(Pixels(icon.pixmap(size)), Pixels(expected.pixmap(size)));
                const QPixmap sharp = icon.pixmap(size, 2.0);
                EXPECT_EQ(Pixels(sharp), Pixels(expected.pixmap(size, 2.0)));
                EXPECT_EQ(sharp.devicePixelRatio(), expected.pixmap(size, 2.0).devicePixelRatio());
            }
        }
    }
    // Every other icon comes from the style untouched.
    EXPECT_EQ(Pixels(deferred.standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32)),
              Pixels(plain->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32)));
}

TEST(DeferredIconStyle, AMenuBarOutOfRoomShowsTheSameOverflowButton)
{
    const std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("Fusion")));
    const std::unique_ptr<QStyle> deferred(new DeferredIconStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    auto narrowBar = [](QStyle* style) {
        auto bar = std::make_unique<QMenuBar>();
        bar->setStyle(style);
        for (const char* title : {"Pliki", "Dane", "Edycja", "Rozkazy", "Narzędzia", "Pomoc"})
            bar->addMenu(QString::fromUtf8(title));
        bar->resize(120, bar->sizeHint().height());
        bar->show();
        QCoreApplication::processEvents();
        return bar;
    };
    const auto expected = narrowBar(plain.get());
    const auto bar = narrowBar(deferred.get());
    auto* overflow = bar->findChild<QToolButton*>();
    ASSERT_NE(overflow, nullptr);
    ASSERT_TRUE(overflow->isVisible()) << "the bar is meant to run out of room";
    EXPECT_EQ(Pixels(bar->grab()), Pixels(expected->grab()));
}
