#pragma once

#include "core/dial/DialFace.h"
#include "core/dial/DialHands.h"
#include "core/plate/Colour.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>

class ClockSource;

namespace welkor::gui {

// The analogue dial: an hour, a minute and a second hand over a face with 60
// minute ticks, 12 hour ticks and their numbers, a title, a units text, the
// maker's name and an optional coloured zone.
//
// The face is drawn once into an image and drawn again only when a property
// it shows, the control's size or the palette changes. Every redraw copies
// the face into a second image, draws the hands over it in exclusive-or and
// hands that image to the screen; each second only the square that holds the
// dial is composed and repainted. The control is opaque and paints without
// antialiasing. On a screen of high density both images have the screen's
// device pixels; the geometry stays in the control's pixels.
class TClock : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString FontName READ fontName WRITE setFontName)
    Q_PROPERTY(quint32 ColorScale READ colorScale WRITE setColorScale)
    Q_PROPERTY(quint32 ColorBack READ colorBack WRITE setColorBack)
    Q_PROPERTY(quint32 ColorFont READ colorFont WRITE setColorFont)
    Q_PROPERTY(quint32 ColorCues READ colorCues WRITE setColorCues)
    Q_PROPERTY(quint32 ColorHour READ colorHour WRITE setColorHour)
    Q_PROPERTY(quint32 ColorHourNumber READ colorHourNumber WRITE setColorHourNumber)
    Q_PROPERTY(float Position READ position WRITE setPosition)
    Q_PROPERTY(QString Units READ units WRITE setUnits)
    Q_PROPERTY(QString Title READ title WRITE setTitle)
    Q_PROPERTY(bool AlarmZone READ alarmZone WRITE setAlarmZone)
    Q_PROPERTY(float AlarmZoneMin READ alarmZoneMin WRITE setAlarmZoneMin)
    Q_PROPERTY(float AlarmZoneMax READ alarmZoneMax WRITE setAlarmZoneMax)
    Q_PROPERTY(quint32 ColorAlarmZone READ colorAlarmZone WRITE setColorAlarmZone)
    Q_PROPERTY(quint32 ColorBorder READ colorBorder WRITE setColorBorder)
    Q_PROPERTY(qint32 LiniaGruba READ liniaGruba WRITE setLiniaGruba)
    Q_PROPERTY(qint32 LiniaCienka READ liniaCienka WRITE setLiniaCienka)
    Q_PROPERTY(qint32 Centrum READ centrum WRITE setCentrum)
    Q_PROPERTY(bool RomanFont READ romanFont WRITE setRomanFont)

public:
    using Colour = welkor::Colour;

    explicit TClock(QWidget* parent = nullptr);

    // Shows the time of day from the clock source (the system clock when
    // none is set), milliseconds dropped.
    void ShowCurrentTime();
    void setClockSource(ClockSource* clock) { clock_ = clock; }

    // Properties. Every setter does nothing for a value equal to the current
    // one; the others repaint the whole control, the position only the
    // dial's square.
    QString fontName() const { return fontName_; }
    void setFontName(const QString& value);
    Colour colorScale() const { return colorScale_; }
    void setColorScale(Colour value);
    Colour colorBack() const { return colorBack_; }
    void setColorBack(Colour value);
    Colour colorFont() const { return colorFont_; }
    void setColorFont(Colour value);
    Colour colorCues() const { return colorCues_; }
    void setColorCues(Colour value);
    Colour colorHour() const { return colorHour_; }
    void setColorHour(Colour value);
    Colour colorHourNumber() const { return colorHourNumber_; }
    void setColorHourNumber(Colour value);
    float position() const { return position_; }
    void setPosition(float value);
    QString units() const { return units_; }
    void setUnits(const QString& value);
    QString title() const { return title_; }
    void setTitle(const QString& value);
    bool alarmZone() const { return alarmZone_; }
    void setAlarmZone(bool value);
    float alarmZoneMin() const { return alarmZoneMin_; }
    void setAlarmZoneMin(float value);
    float alarmZoneMax() const { return alarmZoneMax_; }
    void setAlarmZoneMax(float value);
    Colour colorAlarmZone() const { return colorAlarmZone_; }
    void setColorAlarmZone(Colour value);
    Colour colorBorder() const { return colorBorder_; }
    void setColorBorder(Colour value);
    std::int32_t liniaGruba() const { return liniaGruba_; }
    void setLiniaGruba(std::int32_t value);
    std::int32_t liniaCienka() const { return liniaCienka_; }
    void setLiniaCienka(std::int32_t value);
    std::int32_t centrum() const { return centrum_; }
    void setCentrum(std::int32_t value);
    bool romanFont() const { return romanFont_; }
    void setRomanFont(bool value);

    // The square of the control that holds the dial: from its top-left
    // corner to the right and bottom edges.
    QRect dialSquare() const;
    double thickFraction() const { return thickFraction_; }

    // The face as last built and the face with the hands, as shown, in the
    // screen's device pixels (their device pixel ratio is the screen's).
    const QImage& faceImage() const { return face_; }
    const QImage& composedImage() const { return composed_; }
    int faceBuilds() const { return faceBuilds_; }
    const welkor::dial::FaceLayout& faceLayout() const { return layout_; }

    // Draws the three hands of the current position onto `image`, which
    // holds the face: the lines and the hour and minute caps combine with
    // the pixels under them (exclusive-or), the second hand's cap covers
    // them. `clip`, in the control's pixels, limits the drawing.
    void DrawHands(QImage& image, const QRect& clip);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The values the face was last built from.
    struct FaceSnapshot {
        std::array<Colour, 8> colours {};
        bool alarmZone = false;
        bool romanFont = false;
        QString fontName;
        QString title;
        QString units;
        std::uint32_t alarmZoneMinBits = 0; // bit patterns: an undefined bound
        std::uint32_t alarmZoneMaxBits = 0; // must not make every paint stale
        std::int32_t liniaGruba = 0;
        std::int32_t liniaCienka = 0;
        // LiniaGruba 19 and back to 18 leaves the value as it was but the
        // fraction at 18/100 instead of 18/111.
        double thickFraction = 0;
        double thinFraction = 0;
        bool operator==(const FaceSnapshot&) const = default;
    };

    FaceSnapshot CurrentSnapshot() const;
    // The images' size in the screen's device pixels.
    QSize ImageSize() const;
    bool FaceStale() const;
    void Refresh();
    void Redraw(bool full);
    void RebuildFace();
    void DrawFace(QImage& image);
    void CopyFace(const QRect& area);
    void ComposeAll();
    void ComposeSquare();

    ClockSource* clock_ = nullptr;

    QString fontName_;
    Colour colorScale_ = 0;
    Colour colorBack_ = 0;
    Colour colorFont_ = 0;
    Colour colorCues_ = 0;
    Colour colorHour_ = 0;
    Colour colorHourNumber_ = 0;
    float position_ = 0;
    QString units_;
    QString title_;
    bool alarmZone_ = false;
    float alarmZoneMin_ = 0;
    float alarmZoneMax_ = 0;
    Colour colorAlarmZone_ = 0;
    Colour colorBorder_ = 0;
    std::int32_t liniaGruba_ = 0;
    std::int32_t liniaCienka_ = 0;
    std::int32_t centrum_ = 0;
    bool romanFont_ = false;

    double centreFraction_ = 0;
    double thinFraction_ = 0;
    double thickFraction_ = 0;

    welkor::dial::FaceLayout layout_;
    std::array<welkor::dial::CapPixels, 3> caps_; // hour, minute, second
    QImage face_;
    QImage composed_;
    FaceSnapshot snapshot_;
    bool paletteChanged_ = false;
    bool composedCurrent_ = false;
    int faceBuilds_ = 0;
};

} // namespace welkor::gui
