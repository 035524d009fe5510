#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

class Program;

// The end screen: the next pupil, or the end of the program.
class frmEindscherm final : public Form {
    Q_OBJECT
public:
    explicit frmEindscherm(Program& program);

private:
    Program& program;
};
