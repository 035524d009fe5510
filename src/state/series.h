#pragma once

#include <array>
#include <cstdint>

// One exercise: a and b. What they mean (a x b, or (a x b) : b) is the variant's business.
struct OperandPair {
    int16_t a;
    int16_t b;
    friend bool operator==(const OperandPair&, const OperandPair&) = default;
};

inline constexpr int kExercisesPerSeries = 50;
inline constexpr int kSeriesCount = 5;

// Pair i (0-based here) is exercise i + 1.
using SeriesTable = std::array<OperandPair, kExercisesPerSeries>;
using SeriesSet = std::array<SeriesTable, kSeriesCount>;

const SeriesSet& multiplicationSeries();
const SeriesSet& divisionSeries();
