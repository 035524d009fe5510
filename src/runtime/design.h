#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

#include <cstdint>

// Screen units of the forms: positions in twips (15 to a pixel, a 96-dpi
// screen), colours as &H00BBGGRR& values, fonts by their classic names.
namespace design {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kPointsPerInch = 72;
inline constexpr int kDotsPerInch = 96;
inline constexpr int kTwipsPerPixel = kTwipsPerInch / kDotsPerInch;

int px(int twips);
int twips(int pixels);
QRect pixels(const QRect& twipsRect);

// &H00BBGGRR& to a colour.
QColor color(uint32_t bbggrr);

inline constexpr const char* kSansSerif = "MS Sans Serif";
inline constexpr const char* kVerdana = "Verdana";

struct FontSpec {
    const char* face = kSansSerif;
    double points = 8.25;
    bool bold = false;
};

// Sized in pixels at 96 dpi, so a control's text fits its box whatever the
// screen's own dpi setting.
QFont font(const FontSpec& wanted);

// Maps the classic face names to installed faces of similar width.
void installFontSubstitutes();

} // namespace design
