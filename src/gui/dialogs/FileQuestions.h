#pragma once

#include <QString>

namespace welkor::gui {

class Dialogs;

// The "Uwaga!" question before a file is replaced ("Już istnieje plik o
// nazwie: ..."); true when the file does not exist or the user says Yes. A
// folder of that name is refused with the message of a file that cannot be
// created (UserError).
bool ConfirmOverwrite(Dialogs& dialogs, const QString& fileName);

} // namespace welkor::gui
