#pragma once

#include "runtime/form.h"
#include "runtime/services.h"
#include "state/variabelen.h"
#include "state/variant.h"

#include <array>

class sch640x480;
class frmReeks;
class Werkblad;
class Resultaten;
class frmEindscherm;

// One running program: its test state, its variant, the services it reaches
// the world through, and the single instance of each of its five forms.
// A test makes a fresh one with fake services.
class Program final : public FormHost {
public:
    Program(const Variant& variant, Services services);
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    const Variant& variant;
    ::Variabelen Variabelen;
    Services services;

    FormSlot<::sch640x480> sch640x480;
    FormSlot<::frmReeks> frmReeks;
    FormSlot<::Werkblad> Werkblad;
    FormSlot<::Resultaten> Resultaten;
    FormSlot<::frmEindscherm> frmEindscherm;

    // Loads and shows the startup form.
    void start();

    void MsgBox(const QString& prompt, int buttons, const QString& title);
    // Unloads whatever is still loaded and stops the program.
    void End();
    bool anyFormLoaded();

    void closeRequested(Form* form) override;

private:
    std::array<FormSlotBase*, 5> forms();
};

// The shared start-up of both executables: the event loop runs until End.
int runProgram(const Variant& variant);
