#include "gui/dialogs/FileQuestions.h"

#include "gui/dialogs/Dialogs.h"
#include "qtbase/FileIO.h"

#include <QFileInfo>

namespace welkor::gui {

bool ConfirmOverwrite(Dialogs& dialogs, const QString& fileName)
{
    if (IsFolder(fileName))
        ThrowCannotCreate(fileName, false, QStringLiteral("To jest katalog, nie plik."));
    if (!FileNameExists(fileName))
        return true;
    return dialogs.askYesNo(QStringLiteral("Uwaga!"),
                            QStringLiteral("Już istnieje plik o nazwie:\r\n%1\r\nCzy mimo to go nadpisać?")
                                .arg(QFileInfo(fileName).absoluteFilePath()));
}

} // namespace welkor::gui
