#pragma once

#include <QDialog>
#include <QPixmap>

#include <functional>

class QFrame;
class QLabel;
class QPainter;
class QPushButton;
class QTabWidget;

namespace welkor::gui {

// A control that only paints: its owner draws on it.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(QWidget* parent = nullptr) : QWidget(parent) {}
    std::function<void(QPainter&)> onPaint;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The about box: the program's name in large type with the maker's logo, and
// a page on which the credits are painted.
class TOWelkor1 : public QDialog {
    Q_OBJECT
public:
    explicit TOWelkor1(QWidget* owner);

    // Fills the box from the product caption ("Welkor Lumo 1").
    void ShowProduct(const QString& productCaption);

    void bZamknijClick();
    void pbWspPaint(QPainter& canvas);

    QPushButton* bZamknij = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* tsOWelkor = nullptr;
    QLabel* lWelkor = nullptr;
    QLabel* iZnak = nullptr;
    QFrame* Bevel1 = nullptr;
    QWidget* tsWspolpracownicy = nullptr;
    QFrame* pWsp = nullptr;
    PaintBox* pbWsp = nullptr;
    QPixmap logo; // the maker's emblem, 75 x 88; its bottom-left colour is see-through
};

} // namespace welkor::gui
