#include "state/werkblad_rules.h"

#include "state/conversions.h"

int16_t DigitKeyFilter(int16_t k)
{
    const bool dropped = (k >= 0 && k <= 7) || (k >= 9 && k <= 12) || (k >= 14 && k <= 47) ||
                         (k >= 58 && k <= 256);
    return dropped ? 0 : k;
}

QString StarRating(int32_t t)
{
    if (t >= 0 && t <= 5)
        return QStringLiteral("*");
    if (t >= 6 && t <= 10)
        return QStringLiteral("**");
    if (t >= 11 && t <= 15)
        return QStringLiteral("***");
    if (t >= 16 && t <= 20)
        return QStringLiteral("****");
    return QStringLiteral("*****");
}

QString ResultLine(const QString& exerciseText, bool right, int16_t answer)
{
    return exerciseText + (right ? QStringLiteral(" = ") : QStringLiteral(" = ..........")) +
           vb::CStr(answer);
}

int32_t ElapsedSeconds(int32_t start, int32_t end)
{
    constexpr int32_t kDay = 24 * 60 * 60;
    const int32_t elapsed = end - start;
    return elapsed < -kDay / 2 ? elapsed + kDay : elapsed;
}
