#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

class Program;

// The pupil form: name, class and the choice of a series.
class frmReeks final : public Form {
    Q_OBJECT
public:
    explicit frmReeks(Program& program);

    Label Label1;
    TextBox txtNaam;
    Label Label2;
    TextBox txtKlas;
    Label lblKies;
    CommandButton cmdKies1;
    CommandButton cmdKies2;
    CommandButton cmdKies3;
    CommandButton cmdKies4;
    CommandButton cmdKies5;

    void txtNaam_KeyPress(int16_t& KeyAscii);
    void txtKlas_KeyPress(int16_t& KeyAscii);
    void cmdKies1_Click();
    void cmdKies2_Click();
    void cmdKies3_Click();
    void cmdKies4_Click();
    void cmdKies5_Click();

private:
    Program& program;
};
