#include "Resultaten.h"

#include "program.h"

namespace {
const FormDesign kForm{9510, 7185, 0x00000080, BorderStyle::Sizable};
} // namespace

Resultaten::Resultaten(Program& p) : Form(p, kForm), program(p) {}
