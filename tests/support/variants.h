#pragma once

#include "state/variant.h"

#include <QString>

// The variant of a data row's program name, "Pramilo" or "Sudeval".
inline const Variant& variantNamed(const QString& name)
{
    return name == QLatin1String("Sudeval") ? Variant::sudeval() : Variant::pramilo();
}
