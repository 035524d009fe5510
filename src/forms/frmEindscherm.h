#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

class Program;

// The end screen: the next pupil, or the end of the program.
class frmEindscherm final : public Form {
    Q_OBJECT
public:
    explicit frmEindscherm(Program& program);

    MultiLineTextBox Text2;
    MultiLineTextBox Text1;
    Image Image1;
    CommandButton Command1;
    CommandButton Command2;

    void Command1_Click();
    void Command2_Click();

private:
    void unloadTheTestForms();

    Program& program;
};
