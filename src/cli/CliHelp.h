#pragma once

#include <QString>

// The help texts of welkor-lumo-cli (--help, in Polish): of the whole
// program and of each command ("krzywa" has its own beside the command).

extern const QString kGeneralHelp;
extern const QString kCheckHelp;
extern const QString kExportHelp;
extern const QString kAnalyseHelp;
extern const QString kPictureHelp;
extern const QString kTransmissionHelp;
