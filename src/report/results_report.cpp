#include "report/results_report.h"

#include "state/conversions.h"

namespace {

PrintItem text(const char* literal) { return QString::fromUtf8(literal); }
PrintItem integer(int16_t value) { return PrintedInteger{value}; }
PrintItem tab(int16_t column) { return Tab{column}; }

} // namespace

QString AverageText(int16_t TotalSeconds) { return vb::Str(double(TotalSeconds) / 50.0); }

std::vector<ReportLine> ResultsReport(const Variabelen& V, const QString& title,
                                      const QDate& TodayDate)
{
    const PrintFont titleFont{kTitleFontSize, true, true};
    const PrintFont blankAfterTitle{kDataFontSize, true, true};
    const PrintFont data{kDataFontSize, false, false};
    const PrintFont header{kTableFontSize, false, true};
    const PrintFont row{kTableFontSize, false, false};
    const auto percentage = static_cast<int16_t>(V.CorrectCount * 2);

    std::vector<ReportLine> lines{
        {titleFont, {tab(7), title}},
        {blankAfterTitle, {}},
        {data,
         {tab(10), text("Naam van de leerling:  "), V.PupilName, tab(60), text("Klas:  "),
          V.PupilClass}},
        {data,
         {tab(10), text("Datum van de test: "), TodayDate, tab(60), text("Reeks nr.: "),
          integer(V.SeriesNumber)}},
        {data,
         {tab(10), text("Totaal op 50: "), integer(V.CorrectCount), text(" goed"), tab(60),
          text("In procenten: "), integer(percentage), text(" procent")}},
        {data,
         {tab(10), text("Totale tijd van de test: "), integer(V.TotalMinutes), text(" minuten "),
          integer(V.TotalRestSeconds), text(" seconde(n).")}},
        {data,
         {tab(10), text("Gemiddelde tijd per oefening: "), AverageText(V.TotalSeconds),
          text(" seconde(n).")}},
        {data, {}},
        {header,
         {tab(25), text("Oef. nr.:"), tab(35), text("Tijd (* = 0-5sec)"), tab(55),
          text("Oefening"), tab(80), text("Seconden")}},
        {header, {}},
    };
    for (int16_t i = 1; i <= 50; ++i)
        lines.push_back({row,
                         {tab(27), integer(i), tab(40), V.TimeStars[i], tab(55), V.ResultLines[i],
                          tab(85), integer(V.ExerciseSeconds[i])}});
    return lines;
}
