#pragma once

#include "core/plate/CalibrationRange.h"
#include "core/plate/TKonwersjaKoloru.h"

#include <QWidget>

#include <array>

class ClockSource;
class QCheckBox;
class QLabel;
class QSlider;

namespace welkor {
class ReportDocument;
}

namespace welkor::gui {

class CircleShape;
class Dialogs;
class PlateView;
class TClock;

// The page "Mikropłytka" (tsMikroplytka): the 96 wells with their row and
// column labels, the legend, the scale switch, the calibration's two track
// bars with their labels, the dial and the emblem. It keeps the colour
// converter, the calibration range and the scale, and colours the wells of
// the report it is given.
class PlatePage : public QWidget {
    Q_OBJECT
public:
    PlatePage(welkor::ReportDocument& report, ClockSource* clock, Dialogs& dialogs, QWidget* parent = nullptr);

    // The page as designed: the groups end at 721, the dial at 457. Smaller,
    // it scrolls (see the window's pages) instead of cutting its controls off.
    static constexpr QSize kDesignedSize{729, 457};

    // The wells and their labels (a start-up step).
    void BuildPlate();
    void RecolourPlate();
    void UpdateLegend();
    void SelectScale();
    void cbZarzenieClick();
    void FindRange();
    void ApplyLowerBound();
    void ApplyUpperBound();
    void tbDolnaChange();
    void tbGornaChange();
    // A new plate: the range found from its data, the wells and the legend.
    void ShowNewPlate();

    PlateView* plateView = nullptr;
    std::array<QLabel*, 8> lRowNames{};
    std::array<QLabel*, 12> lColumnNumbers{};
    CircleShape* sPonizej = nullptr;
    CircleShape* sPusta = nullptr;
    CircleShape* sPonad = nullptr;
    CircleShape* sMaksymalna = nullptr;
    CircleShape* sMinimalna = nullptr;
    CircleShape* sZero = nullptr;
    QCheckBox* cbZarzenie = nullptr;
    QSlider* tbGorna = nullptr;
    QSlider* tbDolna = nullptr;
    QLabel* lGorna = nullptr;
    QLabel* lGornaNr = nullptr;
    QLabel* lDolna = nullptr;
    QLabel* lDolnaNr = nullptr;
    TClock* Clock1 = nullptr;
    QLabel* iZnak = nullptr;

    welkor::TKonwersjaKoloru converter;
    welkor::RangeState range;
    bool glowScale = false;

private:
    welkor::ReportDocument& report_;
};

} // namespace welkor::gui
