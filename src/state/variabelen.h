#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The one pupil's test that every screen reads and writes. Arrays run 0..51;
// elements 1..50 belong to exercises 1..50. Start values are all zero or empty.
struct Variabelen {
    static constexpr int kFirst = 0;
    static constexpr int kLast = 51;
    template <typename T>
    using Array = std::array<T, kLast + 1>;

    Array<int16_t> FactorA{};
    Array<int16_t> FactorB{};
    Array<int16_t> PupilAnswers{};
    Array<int16_t> ExerciseSeconds{};
    Array<QString> ResultLines{};
    QString PupilName;
    QString PupilClass;
    Array<QString> TimeStars{};
    int16_t ExerciseNumber = 0;
    int16_t CorrectCount = 0;
    int32_t ExerciseStart = 0;
    int32_t ExerciseEnd = 0;
    int32_t ExerciseElapsed = 0;
    int16_t TotalSeconds = 0;
    int16_t TotalMinutes = 0;
    int16_t TotalRestSeconds = 0;
    int16_t SeriesNumber = 0;
};
