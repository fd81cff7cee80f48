#pragma once

#include "core/output/WorkbookContent.h"

#include <string>

// The bytes of an Excel workbook (.xlsx) holding the content, written by
// libxlsxwriter. The library writes to a file name only, so the workbook is
// made in a folder of its own (created for this user alone, mode 0700, in
// TMPDIR or /tmp; the library's own temporary files go there too), read back
// and the folder removed; the caller saves the bytes like any other file
// (WriteFileAtomically). Numbers are written with a decimal point whatever
// the locale the program runs in. Any failure throws UserError with the
// reason in Polish ("Nie można utworzyć skoroszytu programu Excel: …") and
// leaves nothing behind.
std::string WorkbookBytes(const welkor::WorkbookContent& content);
