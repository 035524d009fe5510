#pragma once

#include <QString>

#include <cstdint>

// The answer box's key rule: control keys, letters, signs and punctuation
// come back as 0 (dropped without a word); Enter (13), Backspace, the digits
// and codes outside 0..256 come back unchanged.
int16_t DigitKeyFilter(int16_t KeyAscii);

// One to five stars for an exercise's seconds; more stars, slower answer.
// Negative times (a clock set back) fall through to five.
QString StarRating(int32_t seconds);

// "8 x 3 = 24" when right, "8 x 3 = ..........8" when wrong.
QString ResultLine(const QString& exerciseText, bool right, int16_t answer);

// Seconds between two clock readings (whole seconds since midnight). A reading
// more than half a day below the start has passed midnight.
int32_t ElapsedSeconds(int32_t start, int32_t end);
