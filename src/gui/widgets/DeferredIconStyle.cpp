#include "gui/widgets/DeferredIconStyle.h"

#include <QIconEngine>
#include <QPointer>
#include <QStyleOption>

#include <optional>

namespace welkor::gui {

namespace {

// An icon of the base style, asked for at its first use. Until then it is
// known to exist and nothing more: a button's size does not depend on it.
class DeferredStandardIcon : public QIconEngine {
public:
    DeferredStandardIcon(QStyle* style, QStyle::StandardPixmap icon, const QStyleOption* option)
        : style_(style), icon_(icon)
    {
        if (option)
            option_ = *option; // the layout direction picks the arrow's way
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    // An engine's sizes are in device pixels: the icon is asked at a ratio of
    // 1 so that it scales nothing again.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal) override
    {
        return Icon().pixmap(size, 1.0, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    QString key() const override { return QStringLiteral("DeferredStandardIcon"); }
    QIconEngine* clone() const override { return new DeferredStandardIcon(*this); }
    bool isNull() override { return false; }

private:
    const QIcon& Icon()
    {
        if (!loaded_) {
            loaded_.emplace();
            if (style_)
                *loaded_ = style_->standardIcon(icon_, option_ ? &*option_ : nullptr, nullptr);
        }
        return *loaded_;
    }

    QPointer<QStyle> style_; // the base style; gone with the application's style
    QStyle::StandardPixmap icon_;
    std::optional<QStyleOption> option_;
    std::optional<QIcon> loaded_;
};

} // namespace

DeferredIconStyle::DeferredIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredStandardIcon(baseStyle(), icon, option));
    return QProxyStyle::standardIcon(icon, option, widget);
}

} // namespace welkor::gui
