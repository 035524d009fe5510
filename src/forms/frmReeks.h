#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

class Program;

// The pupil form: name, class and the choice of a series.
class frmReeks final : public Form {
    Q_OBJECT
public:
    explicit frmReeks(Program& program);

private:
    Program& program;
};
