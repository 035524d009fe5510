#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

#include <cstdint>

class Program;

// The results of a finished test, and the choice whether to print them.
class Resultaten final : public Form {
    Q_OBJECT
public:
    explicit Resultaten(Program& program);

    Label lblTitel;
    Label lblTotaal;
    Label lbl50;
    Label lblJuist;
    Label lblJuiste;
    Label lblProcent;
    Label lblProcent2;
    Label lblTijdtotaal;
    Label lblTijd;
    Label lblGemiddelde;
    Label lblGemiddeld;
    CommandButton cmdAfdrukken;
    Label lblAfdruk;
    CommandButton cmdNAfdrukken;

    void Form_Load() override;
    // Each button is the one member of a control array; the index is ignored.
    void cmdNAfdrukken_Click(int16_t Index);
    void cmdAfdrukken_Click(int16_t Index);

private:
    void centreTitle();

    Program& program;
};
