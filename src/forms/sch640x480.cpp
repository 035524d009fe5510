#include "sch640x480.h"

#include "program.h"

namespace {
const FormDesign kForm{9570, 7305, std::nullopt, BorderStyle::FixedSingle};
} // namespace

sch640x480::sch640x480(Program& p) : Form(p, kForm), program(p) {}
