#pragma once

#include "report/print_line.h"
#include "state/variabelen.h"

#include <QDate>
#include <QString>

#include <vector>

// The printed report of one test: sixty lines from the test state. The fonts
// they print in are set by the print button, between the lines.

// Lines 1..60 (index 0..59): the title, the pupil's data, the score and
// times, the column header and one row for each of the fifty exercises.
std::vector<PrintLine> ResultsReport(const Variabelen& V, const QString& title,
                                     const QDate& TodayDate);
