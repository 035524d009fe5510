#include "state/results.h"

#include "state/conversions.h"
#include "state/series.h"

int16_t Percentage(int16_t CorrectCount) { return static_cast<int16_t>(CorrectCount * 2); }

MinutesAndSeconds SplitTotalTime(int16_t TotalSeconds)
{
    const auto minutes = static_cast<int16_t>(vb::Int(TotalSeconds / 60.0));
    return {minutes, static_cast<int16_t>(TotalSeconds - 60 * minutes)};
}

QString AverageText(int16_t TotalSeconds)
{
    return vb::Str(double(TotalSeconds) / double(kExercisesPerSeries));
}
