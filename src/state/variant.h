#pragma once

#include "state/series.h"

#include <QRect>
#include <QString>

#include <cstdint>

// What makes a program Pramilo or Sudeval. Everything else is shared.
struct Variant {
    enum class Arithmetic { Multiplication, Division };

    QString name;            // product name, "Pramilo" or "Sudeval"
    Arithmetic arithmetic;
    QString operatorCaption; // caption of the worksheet's lblMaal
    QRect operatorPlace;     // lblMaal's left, top, width, height in twips
    const SeriesSet* series;
    QString reportTitle;
    QString titlePicture;    // resource path of the start screen's picture

    // Exercise i shows FirstShown, the operator, SecondShown; all 16-bit like the fields.
    int16_t FirstShown(int16_t a, int16_t b) const;
    int16_t SecondShown(int16_t a, int16_t b) const;
    int16_t ExpectedAnswer(int16_t a, int16_t b) const;
    QString ExerciseText(int16_t a, int16_t b) const;

    const SeriesTable& seriesTable(int k) const { return (*series)[k - 1]; }

    static const Variant& pramilo();
    static const Variant& sudeval();
};
