#pragma once

#include <QProxyStyle>

namespace welkor::gui {

// The application's own style, with the arrows of the menu bar's and the
// toolbar's overflow buttons read from the style when first drawn. Each bar
// builds its overflow button at once, hidden until the bar runs out of room,
// and the style reads that arrow from a picture file: Qt then offers the file
// to every image-format plugin installed before its own reader takes it,
// loading them all (about 3 ms and half a MiB before the window can show).
// Drawn, the arrows are the style's own, pixel for pixel.
class DeferredIconStyle : public QProxyStyle {
public:
    // Takes `base` over (QProxyStyle's rule); the application's style when null.
    explicit DeferredIconStyle(QStyle* base = nullptr);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace welkor::gui
