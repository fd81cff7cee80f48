#pragma once

#include <QWidget>

#include <cstdint>

namespace welkor::gui {

// A filled circle with an outline of a given width, the look of a plate well
// and of the legend marks.
class CircleShape : public QWidget {
    Q_OBJECT
public:
    explicit CircleShape(QWidget* parent = nullptr);

    void setLook(std::uint32_t fill, std::uint32_t outline, int outlineWidth);
    void setFill(std::uint32_t fill);
    std::uint32_t fill() const { return fill_; }
    std::uint32_t outline() const { return outline_; }
    int outlineWidth() const { return outlineWidth_; }

    // Paints a circle of this look into `rect` (shared with the plate view).
    static void Paint(QPainter& painter, const QRect& rect, std::uint32_t fill, std::uint32_t outline, int width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t fill_ = 0x00FFFFFF;
    std::uint32_t outline_ = 0;
    int outlineWidth_ = 1;
};

} // namespace welkor::gui
