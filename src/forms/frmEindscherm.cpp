#include "frmEindscherm.h"

#include "program.h"

namespace {
const FormDesign kForm{9510, 7185, 0x00400000, BorderStyle::Sizable};
} // namespace

frmEindscherm::frmEindscherm(Program& p) : Form(p, kForm), program(p) {}
