#pragma once

#include <xlsxwriter.h>

#include <QString>

// The functions of libxlsxwriter that the workbook writer calls.
#define WELKOR_XLSXWRITER_FUNCTIONS(F)                                                                                \
    F(workbook_new_opt)                                                                                               \
    F(workbook_add_format)                                                                                            \
    F(workbook_validate_sheet_name)                                                                                   \
    F(workbook_add_worksheet)                                                                                         \
    F(workbook_close)                                                                                                 \
    F(lxw_workbook_free)                                                                                              \
    F(format_set_bold)                                                                                                \
    F(worksheet_set_column)                                                                                           \
    F(worksheet_write_number)                                                                                         \
    F(worksheet_write_string)                                                                                         \
    F(lxw_strerror)

// libxlsxwriter, loaded when the first workbook is written rather than with
// the program: the library brings libcrypto with it, and the two cost the
// window about 3 ms of its start-up and 1.6 MiB that most sessions never
// use. Call through the members: lxw.workbook_close(workbook).
struct XlsxWriterLibrary {
#define WELKOR_XLSXWRITER_MEMBER(name) decltype(&::name) name = nullptr;
    WELKOR_XLSXWRITER_FUNCTIONS(WELKOR_XLSXWRITER_MEMBER)
#undef WELKOR_XLSXWRITER_MEMBER
};

// The library the program was built against, loaded once. Throws UserError
// ("Nie można utworzyć skoroszytu programu Excel: …") naming the library and
// the system's reason when it is missing or lacks a function.
const XlsxWriterLibrary& XlsxWriter();

// Loads the library from `fileName` (a name the dynamic linker searches for,
// or a path); an empty reason on success. For XlsxWriter() and its tests.
QString LoadXlsxWriter(const char* fileName, XlsxWriterLibrary& library);
