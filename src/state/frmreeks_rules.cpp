#include "state/frmreeks_rules.h"

bool ClassKeyRejected(int16_t k)
{
    return (k >= 0 && k <= 7) || (k >= 9 && k <= 12) || (k >= 14 && k <= 49) ||
           (k >= 55 && k <= 256);
}
