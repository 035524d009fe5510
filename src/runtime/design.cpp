#include "runtime/design.h"

namespace design {

int px(int twips) { return qRound(twips / double(kTwipsPerPixel)); }
int twips(int pixels) { return pixels * kTwipsPerPixel; }

QRect pixels(const QRect& t)
{
    return QRect(px(t.left()), px(t.top()), px(t.width()), px(t.height()));
}

QColor color(uint32_t bbggrr)
{
    return QColor(int(bbggrr & 0xFF), int((bbggrr >> 8) & 0xFF), int((bbggrr >> 16) & 0xFF));
}

QFont font(const FontSpec& wanted)
{
    QFont f(QString::fromLatin1(wanted.face));
    f.setPixelSize(qMax(1, qRound(wanted.points * kDotsPerInch / kPointsPerInch)));
    f.setBold(wanted.bold);
    return f;
}

void installFontSubstitutes()
{
    // Liberation Sans is narrower than DejaVu Sans and closer to the classic
    // dialog face; Verdana's wide letters are closest to DejaVu Sans.
    QFont::insertSubstitutions(QString::fromLatin1(kSansSerif),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QString::fromLatin1(kVerdana),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
}

} // namespace design
