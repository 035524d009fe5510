#include "frmReeks.h"

#include "program.h"

namespace {
const FormDesign kForm{9480, 7185, 0x000040C0, BorderStyle::Sizable};
} // namespace

frmReeks::frmReeks(Program& p) : Form(p, kForm), program(p) {}
