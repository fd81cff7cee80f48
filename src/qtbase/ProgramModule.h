#pragma once

#include <QString>

// A module of the program (a shared object loaded when first needed, never
// unloaded): the function `entry` it exports. A module that cannot be
// loaded, or lacks the function, is a UserError naming the file and saying
// what is not available: "Nie można wczytać <what> z pliku „…”: <reason>
// <consequence>".
void* ProgramModuleEntry(const QString& file, const char* entry, const QString& what, const QString& consequence);

