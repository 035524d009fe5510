#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The number/text conversions the screens and the report rely on, with the
// classic BASIC behaviour the pupils' results depend on (banker's rounding,
// a sign blank before positive numbers, blanks ignored inside numbers).
// None of them depends on the system's locale: "." is always the point.
namespace vb {

// The number the text begins with; blanks, tabs and line feeds are skipped
// anywhere, "&H"/"&O" prefixes read hex/octal; a text without digits gives 0.
double Val(const QString& text);

// Nearest whole number, a tie to the even one; nullopt when it does not fit.
std::optional<int16_t> CInt(double value);
std::optional<int32_t> CLng(double value);

// Digits, "-" when negative, no blank.
QString CStr(long long value);

// A blank (or "-"), "." as the point, no zero before the point, no trailing
// zeros, at most 15 significant digits, "E+nn" for large or tiny values.
QString Str(double value);

// The largest whole number not above the value.
double Int(double value);

int Len(const QString& text);

// Keeps a sum or a difference of clock readings inside a 16-bit field.
int16_t clampToInt16(long long value);

} // namespace vb
