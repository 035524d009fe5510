#include "state/conversions.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace vb {

namespace {

// Blanks, tabs and line feeds; a carriage return ends the number.
bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// Text with every blank removed: Val reads "4 4" as 44.
QString withoutBlanks(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (!isBlank(c))
            out.append(c);
    return out;
}

// "&H" and "&O" literals: up to 16 bits they are read as 16-bit signed, as
// the classic runtime does ("&HFFFF" is -1), beyond that as 32-bit.
double radixValue(const QString& s, int radix)
{
    qint64 value = 0;
    for (QChar c : s) {
        const int d = c.isDigit() ? c.digitValue()
                    : (radix == 16 && c.toUpper() >= u'A' && c.toUpper() <= u'F')
                          ? c.toUpper().unicode() - u'A' + 10
                          : -1;
        if (d < 0 || d >= radix)
            break;
        value = value * radix + d;
        if (value > 0xFFFFFFFFLL)
            return 0; // overflow: no sensible number
    }
    if (value <= 0xFFFF)
        return static_cast<int16_t>(static_cast<uint16_t>(value));
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

} // namespace

double Val(const QString& text)
{
    const QString s = withoutBlanks(text);
    if (s.startsWith(u'&') && s.size() > 1) {
        const QChar kind = s.at(1).toUpper();
        if (kind == u'H')
            return radixValue(s.mid(2), 16);
        if (kind == u'O')
            return radixValue(s.mid(2), 8);
        return radixValue(s.mid(1), 8);
    }

    // Collect the longest prefix of the form [sign] digits [. digits] [E|D [sign] digits].
    std::string number;
    int i = 0;
    const int n = s.size();
    auto at = [&](int k) { return k < n ? s.at(k) : QChar(); };
    // Appends the ASCII digits from k on to out, moving k past them; true if there were any.
    auto takeDigits = [&](int& k, std::string& out) {
        const int first = k;
        while (at(k).isDigit() && at(k).unicode() < 128)
            out += char(s.at(k++).unicode());
        return k > first;
    };
    if (at(i) == u'-')
        number += '-';
    if (at(i) == u'+' || at(i) == u'-')
        ++i;
    bool anyDigit = takeDigits(i, number);
    if (at(i) == u'.') {
        number += '.';
        ++i;
        anyDigit = takeDigits(i, number) || anyDigit;
    }
    if (!anyDigit)
        return 0;
    if (at(i).toUpper() == u'E' || at(i).toUpper() == u'D') {
        int j = i + 1;
        std::string exponent = "e";
        if (at(j) == u'+' || at(j) == u'-')
            exponent += char(s.at(j++).unicode());
        if (takeDigits(j, exponent))
            number += exponent;
    }
    // from_chars always takes "." as the point; strtod would follow the
    // process locale, which QApplication sets from the environment, and read
    // "1.5" as 1 under a Dutch one. Out of range (9E999) is no number.
    double value = 0;
    const std::from_chars_result read =
        std::from_chars(number.data(), number.data() + number.size(), value);
    return read.ec == std::errc() && std::isfinite(value) ? value : 0;
}

namespace {
template <typename T>
std::optional<T> roundToEven(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint follows the default rounding mode: to nearest, ties to even.
    const double r = std::nearbyint(value);
    if (r < std::numeric_limits<T>::min() || r > std::numeric_limits<T>::max())
        return std::nullopt;
    return static_cast<T>(r);
}
} // namespace

std::optional<int16_t> CInt(double value) { return roundToEven<int16_t>(value); }
std::optional<int32_t> CLng(double value) { return roundToEven<int32_t>(value); }

QString CStr(long long value) { return QString::number(value); }

QString Str(double value)
{
    if (value == 0)
        return QStringLiteral(" 0");
    // QString::number writes in the C locale, whatever the system's.
    QString digits = QString::number(std::fabs(value), 'g', 15).toUpper();
    if (digits.startsWith(QLatin1String("0.")))
        digits.remove(0, 1);
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits;
}

double Int(double value) { return std::floor(value); }

int Len(const QString& text) { return static_cast<int>(text.size()); }

int16_t clampToInt16(long long value)
{
    if (value > std::numeric_limits<int16_t>::max())
        return std::numeric_limits<int16_t>::max();
    if (value < std::numeric_limits<int16_t>::min())
        return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(value);
}

} // namespace vb
