#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

class Program;

// The results of a finished test.
class Resultaten final : public Form {
    Q_OBJECT
public:
    explicit Resultaten(Program& program);

private:
    Program& program;
};
