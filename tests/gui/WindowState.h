#pragma once

// Everything of the user's work that a refused file, or a failed exchange with
// the reader, must leave as it was: Capture before, ExpectSame after.
#include "WindowFixture.h"

#include "gui/analysis/EditGrid.h"
#include "gui/plate/PlateView.h"
#include "gui/widgets/StringGrid.h"

#include <QPlainTextEdit>
#include <QSlider>

#include <array>

struct Shown {
    QString caption;
    bool dataPresent = false;
    bool freshMeasurement = false;
    QString reportMemo;
    QString commentMemo;
    welkor::GridTexts dane;
    welkor::GridTexts edycja;
    std::array<welkor::ShapeLook, 96> wells;
    int upper = 0;
    int lower = 0;
    welkor::ReportLines reportLines;
    welkor::ReportLines displayedLines;
    welkor::ValueTable values;
    welkor::GridTexts stored;
};

inline Shown Capture(const TWel_Kor& w)
{
    Shown s;
    s.caption = w.windowTitle();
    s.dataPresent = w.report.hasData();
    s.freshMeasurement = w.report.freshMeasurement();
    s.reportMemo = w.tsRaport->mOdebrany->toPlainText();
    s.commentMemo = w.tsRaport->mKomentarz->toPlainText();
    s.dane = w.tsTabela->sgDane->texts();
    s.edycja = w.tsTabela->sgEdycja->texts();
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 12; ++c)
            s.wells[static_cast<std::size_t>(r * 12 + c)] = w.tsMikroplytka->plateView->well(r, c);
    s.upper = w.tsMikroplytka->tbGorna->value();
    s.lower = w.tsMikroplytka->tbDolna->value();
    s.reportLines = w.report.lines();
    s.displayedLines = w.report.displayedLines();
    s.values = w.report.values();
    s.stored = w.report.storedAnalysis();
    return s;
}

inline void ExpectSame(const Shown& before, const Shown& after)
{
    EXPECT_EQ(after.caption, before.caption);
    EXPECT_EQ(after.dataPresent, before.dataPresent);
    EXPECT_EQ(after.freshMeasurement, before.freshMeasurement);
    EXPECT_EQ(after.reportMemo, before.reportMemo);
    EXPECT_EQ(after.commentMemo, before.commentMemo);
    EXPECT_EQ(after.dane, before.dane);
    EXPECT_EQ(after.edycja, before.edycja);
    EXPECT_TRUE(after.wells == before.wells) << "plate wells were recoloured";
    EXPECT_EQ(after.upper, before.upper);
    EXPECT_EQ(after.lower, before.lower);
    EXPECT_EQ(after.reportLines, before.reportLines);
    EXPECT_EQ(after.displayedLines, before.displayedLines);
    EXPECT_TRUE(after.values.cells == before.values.cells) << "value table changed";
    EXPECT_EQ(after.stored, before.stored);
}
