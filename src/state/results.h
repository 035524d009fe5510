#pragma once

#include <QString>

#include <cstdint>

// The figures of a finished test, as the results screen and the report show them.

// The right answers out of fifty as a percentage: twice the count, 16-bit.
int16_t Percentage(int16_t CorrectCount);

// The total time as whole minutes and the seconds left over.
struct MinutesAndSeconds {
    int16_t minutes;
    int16_t seconds;
};
MinutesAndSeconds SplitTotalTime(int16_t TotalSeconds);

// The average seconds per exercise: " 3.26" for 163 seconds, " .14" for 7.
QString AverageText(int16_t TotalSeconds);
