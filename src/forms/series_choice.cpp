#include "forms/series_choice.h"

#include "forms/Werkblad.h"
#include "forms/program.h"

void chooseSeries(Program& program, int K)
{
    auto& V = program.Variabelen;
    V.SeriesNumber = static_cast<int16_t>(K);
    const SeriesTable& table = program.variant.seriesTable(K);
    for (int i = 1; i <= kExercisesPerSeries; ++i) {
        V.FactorA[i] = table[i - 1].a;
        V.FactorB[i] = table[i - 1].b;
    }
    program.Werkblad.Load();
    program.Werkblad.Show();
}
