#include "report/results_report.h"

#include "state/results.h"
#include "state/series.h"

namespace {

PrintItem text(const char* literal) { return QString::fromUtf8(literal); }
PrintItem integer(int16_t value) { return PrintedInteger{value}; }
PrintItem tab(int16_t column) { return Tab{column}; }

} // namespace

std::vector<PrintLine> ResultsReport(const Variabelen& V, const QString& title,
                                     const QDate& TodayDate)
{
    std::vector<PrintLine> lines{
        {tab(7), title},
        {},
        {tab(10), text("Naam van de leerling:  "), V.PupilName, tab(60), text("Klas:  "),
         V.PupilClass},
        {tab(10), text("Datum van de test: "), TodayDate, tab(60), text("Reeks nr.: "),
         integer(V.SeriesNumber)},
        {tab(10), text("Totaal op 50: "), integer(V.CorrectCount), text(" goed"), tab(60),
         text("In procenten: "), integer(Percentage(V.CorrectCount)), text(" procent")},
        {tab(10), text("Totale tijd van de test: "), integer(V.TotalMinutes), text(" minuten "),
         integer(V.TotalRestSeconds), text(" seconde(n).")},
        {tab(10), text("Gemiddelde tijd per oefening: "), AverageText(V.TotalSeconds),
         text(" seconde(n).")},
        {},
        {tab(25), text("Oef. nr.:"), tab(35), text("Tijd (* = 0-5sec)"), tab(55), text("Oefening"),
         tab(80), text("Seconden")},
        {},
    };
    for (int16_t i = 1; i <= kExercisesPerSeries; ++i)
        lines.push_back({tab(27), integer(i), tab(40), V.TimeStars[i], tab(55), V.ResultLines[i],
                         tab(85), integer(V.ExerciseSeconds[i])});
    return lines;
}
