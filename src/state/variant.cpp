#include "state/variant.h"

#include "state/conversions.h"

namespace {
// The tables keep every product within 0..100; the narrowing mirrors 16-bit arithmetic.
int16_t product16(int16_t a, int16_t b) { return static_cast<int16_t>(a * b); }
} // namespace

int16_t Variant::FirstShown(int16_t a, int16_t b) const
{
    return arithmetic == Arithmetic::Multiplication ? a : product16(b, a);
}

int16_t Variant::SecondShown(int16_t, int16_t b) const { return b; }

int16_t Variant::ExpectedAnswer(int16_t a, int16_t b) const
{
    return arithmetic == Arithmetic::Multiplication ? product16(a, b) : a;
}

QString Variant::ExerciseText(int16_t a, int16_t b) const
{
    if (arithmetic == Arithmetic::Multiplication)
        return vb::CStr(a) + QStringLiteral(" x ") + vb::CStr(b);
    return vb::CStr(product16(b, a)) + QStringLiteral(" : ") + vb::CStr(b);
}

const Variant& Variant::pramilo()
{
    static const Variant v{
        QStringLiteral("Pramilo"),
        Arithmetic::Multiplication,
        QStringLiteral("X"),
        QRect(4320, 1800, 852, 852),
        &multiplicationSeries(),
        QStringLiteral("TEST MAALTAFELS"),
        QStringLiteral(":/pictures/pramilo_title.bmp"),
    };
    return v;
}

const Variant& Variant::sudeval()
{
    static const Variant v{
        QStringLiteral("Sudeval"),
        Arithmetic::Division,
        QStringLiteral(":"),
        QRect(4305, 1800, 855, 855),
        &divisionSeries(),
        QStringLiteral("TEST DEELTAFELS"),
        QStringLiteral(":/pictures/sudeval_title.bmp"),
    };
    return v;
}
