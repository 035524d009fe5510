#pragma once

#include "runtime/printer.h"
#include "state/variabelen.h"

#include <QDate>
#include <QString>

#include <vector>

// The printed report of one test: sixty lines from the test state, each with
// the font state the printer has while the line is printed.

inline constexpr int kReportLines = 60;
inline constexpr double kTitleFontSize = 18;
inline constexpr double kDataFontSize = 13;
inline constexpr double kTableFontSize = 10;

struct ReportLine {
    PrintFont font;
    PrintLine items;
};

// Lines 1..60 (index 0..59): the title, the pupil's data, the score and
// times, the column header and one row for each of the fifty exercises.
std::vector<ReportLine> ResultsReport(const Variabelen& V, const QString& title,
                                      const QDate& TodayDate);

// The average seconds per exercise as the results screen and the report show
// it: " 3.26" for 163 seconds, " .14" for 7.
QString AverageText(int16_t TotalSeconds);
