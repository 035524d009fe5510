#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

class Program;

// The start screen: the program's title picture and START.
class sch640x480 final : public Form {
    Q_OBJECT
public:
    explicit sch640x480(Program& program);

    CommandButton Command1;
    Image Image1;

    void Form_Load() override;
    void Command1_Click();

private:
    Program& program;
};
