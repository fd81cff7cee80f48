#include "gui/dialogs/TOWelkor1.h"

#include "gui/artwork/ToolbarIcons.h"
#include "gui/widgets/Fonts.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QtMath>

namespace welkor::gui {

namespace {

struct Credit {
    int left;
    int top;
    int points;
    const char* text; // UTF-8
};

// The credits panel, top-left corner of each text in the paint box. The
// names are the program's own fixed texts.
constexpr Credit kCredits[] = {
    {22, 33, 9, "Autor:"},
    {77, 33, 9, "Tadeusz Wierzbięta"},
    {22, 66, 9, "Współpracownicy:"},
    {44, 88, 9, "Konsultacja naukowa:"},
    {77, 110, 9, "Halina Sarnecka"},
    {77, 125, 9, "Marek Obłój"},
    {77, 140, 9, "Irena Kalisiak"},
    {44, 164, 9, "Sprawy sprzętowe:"},
    {77, 190, 9, "Zbigniew Pyrka"},
    {22, 222, 8, "Autor wierzy, że zostanie mu wybaczone"},
    {22, 235, 8, "pominięcie tytułów naukowych."},
};
constexpr QPoint kCreditsLogo(270, 160);

// The maker's emblem as a 75 x 88 picture of 24-bit colour, as it is kept
// with the window: drawn on the dialog's face colour, in the screen's
// device pixels. (Marvant.bmp is the wide logo of the printed page and does
// not fit this place.)
QImage EmblemPicture()
{
    const QSize size(75, 88);
    const qreal ratio = qApp->devicePixelRatio();
    QImage picture(QSize(qCeil(size.width() * ratio), qCeil(size.height() * ratio)), QImage::Format_RGB888);
    picture.setDevicePixelRatio(ratio);
    picture.fill(QApplication::palette().color(QPalette::Window));
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, MakeEmblem(size, ratio));
    return picture;
}

// A picture whose bottom-left colour is see-through.
QPixmap Transparent(const QImage& picture)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (row[x] == key)
                row[x] = qRgba(0, 0, 0, 0);
    }
    return QPixmap::fromImage(image);
}

} // namespace

void PaintBox::paintEvent(QPaintEvent*)
{
    if (!onPaint)
        return;
    QPainter painter(this);
    onPaint(painter);
}

TOWelkor1::TOWelkor1(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("OWelkor1"));
    // Fixed frame with the close box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(MakeEmblem(QSize(32, 32))));
    QFont font = FontOf(WindowFamilies());
    font.setPointSize(8);
    setFont(font);
    setFixedSize(409, 354); // a dialog's window colour is the button face

    logo = Transparent(EmblemPicture());

    PageControl1 = new QTabWidget(this);
    PageControl1->setGeometry(0, 0, 409, 313);

    tsOWelkor = new QWidget;
    lWelkor = new QLabel(tsOWelkor);
    lWelkor->setTextFormat(Qt::PlainText);
    QFont big = FontOf(MonoFamilies());
    big.setBold(true);
    big.setPointSize(48);
    lWelkor->setFont(big);
    QPalette green = lWelkor->palette();
    green.setColor(QPalette::WindowText, QColor(0x00, 0x80, 0x00));
    lWelkor->setPalette(green);
    lWelkor->move(48, 32);
    iZnak = new QLabel(tsOWelkor);
    iZnak->setGeometry(8, 128, 74, 88);
    iZnak->setScaledContents(true);
    iZnak->setPixmap(logo);
    Bevel1 = new QFrame(tsOWelkor);
    Bevel1->setGeometry(8, 223, 385, 2);
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    PageControl1->addTab(tsOWelkor, QString());

    tsWspolpracownicy = new QWidget;
    pWsp = new QFrame(tsWspolpracownicy);
    pWsp->setGeometry(8, 8, 385, 269);
    pWsp->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pWsp->setLineWidth(1);
    QPalette white = pWsp->palette();
    white.setColor(QPalette::Window, Qt::white);
    pWsp->setPalette(white);
    pWsp->setAutoFillBackground(true);
    pbWsp = new PaintBox(pWsp);
    pbWsp->setGeometry(1, 1, 383, 267);
    pbWsp->onPaint = [this](QPainter& canvas) { pbWspPaint(canvas); };
    PageControl1->addTab(tsWspolpracownicy, QStringLiteral("Informacje"));
    PageControl1->setCurrentIndex(0);

    bZamknij = new QPushButton(QStringLiteral("Zamknij"), this);
    bZamknij->setGeometry(320, 320, 75, 25);
    bZamknij->setDefault(true);
    connect(bZamknij, &QPushButton::clicked, this, [this] { bZamknijClick(); });
}

void TOWelkor1::ShowProduct(const QString& productCaption)
{
    setWindowTitle(QStringLiteral("O ") + productCaption);
    PageControl1->setTabText(PageControl1->indexOf(tsOWelkor), productCaption);
    lWelkor->setText(productCaption);
    QFont big = lWelkor->font();
    big.setPointSize(33);
    lWelkor->setFont(big);
    lWelkor->move(33, lWelkor->y());
    lWelkor->adjustSize();
}

void TOWelkor1::bZamknijClick() { accept(); }

void TOWelkor1::pbWspPaint(QPainter& canvas)
{
    canvas.setPen(pbWsp->palette().color(QPalette::WindowText));
    QFont face = pbWsp->font();
    face.setFamily(InstalledFamily(SerifFamilies()));
    for (const Credit& credit : kCredits) {
        face.setPointSize(credit.points);
        canvas.setFont(face);
        const qreal ascent = QFontMetricsF(face, canvas.device()).ascent();
        canvas.drawText(QPointF(credit.left, credit.top + ascent), QString::fromUtf8(credit.text));
    }
    canvas.drawPixmap(kCreditsLogo, logo);
}

} // namespace welkor::gui
