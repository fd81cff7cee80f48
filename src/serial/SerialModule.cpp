// The module that holds Qt's serial port support: the link to the reader,
// loaded by the program at the first step that needs a port.
#include "gui/reader/ModuleReaderLink.h"
#include "serial/SerialReaderLink.h"

extern "C" Q_DECL_EXPORT welkor::gui::ReaderLink* welkor_serial_link(const QString& settingsFile,
                                                                     const QString& environmentPort)
{
    return new welkor::gui::SerialReaderLink(settingsFile, environmentPort);
}
