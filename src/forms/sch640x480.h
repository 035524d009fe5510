#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

class Program;

// The start screen.
class sch640x480 final : public Form {
    Q_OBJECT
public:
    explicit sch640x480(Program& program);

private:
    Program& program;
};
