#pragma once

#include "core/text/Error.h"
#include "gui/dialogs/Dialogs.h"
#include "qtbase/QtText.h"
#include "qtbase/UserError.h"

#include <new>
#include <utility>

namespace welkor::gui {

// The error guard every handler runs in: a failing step ends the handler,
// its message is shown through the dialogs and the program carries on. No
// exception crosses the Qt event loop.
template <class F> void Guarded(Dialogs& dialogs, F&& handler)
{
    try {
        std::forward<F>(handler)();
    } catch (const UserError& e) {
        dialogs.error(e.message());
    } catch (const welkor::Error& e) {
        dialogs.error(FromCp1250(e.what()));
    } catch (const std::bad_alloc&) {
        dialogs.error(QStringLiteral("Za mało pamięci, by dokończyć tę czynność."));
    } catch (const std::exception& e) {
        dialogs.error(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace welkor::gui
