#pragma once

#include <QString>

namespace welkor::gui {

// A hint "Tooltip|Status text" shows its first part as the tooltip and its
// second in the status bar; a hint without a bar serves for both. `T` is a
// widget or an action.
template <class T> void SetHint(T* target, const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    target->setToolTip(bar < 0 ? hint : hint.left(bar));
    target->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

} // namespace welkor::gui
