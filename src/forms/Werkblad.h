#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

class Program;

// The timed worksheet: one exercise at a time, timed from START, checked and
// recorded at each Enter in the answer box.
class Werkblad final : public Form {
    Q_OBJECT
public:
    explicit Werkblad(Program& program);

    Label lblOef;
    MultiLineTextBox txtFacA;
    Label lblMaal;
    MultiLineTextBox txtFacB;
    TextBox txtRes;
    CommandButton cmdStart;
    Label lblAantal;
    MultiLineTextBox txtOefNr;
    Label lblJuist;
    MultiLineTextBox txtJuist;

    void Form_Load() override;
    void cmdStart_Click();
    void txtRes_KeyPress(int16_t& KeyAscii);

private:
    void enterSteps();
    void showExercise(); // exercise number, count, first and second number
    int32_t clockReading();

    Program& program;
};
