#include "forms/program.h"

#include "forms/Resultaten.h"
#include "forms/Werkblad.h"
#include "forms/frmEindscherm.h"
#include "forms/frmReeks.h"
#include "forms/sch640x480.h"
#include "runtime/application.h"

#include <QApplication>

Program::Program(const Variant& v, Services s)
    : variant(v),
      services(std::move(s)),
      sch640x480([this] { return std::make_unique<::sch640x480>(*this); }),
      frmReeks([this] { return std::make_unique<::frmReeks>(*this); }),
      Werkblad([this] { return std::make_unique<::Werkblad>(*this); }),
      Resultaten([this] { return std::make_unique<::Resultaten>(*this); }),
      frmEindscherm([this] { return std::make_unique<::frmEindscherm>(*this); })
{
}

Program::~Program()
{
    for (FormSlotBase* slot : forms())
        slot->Unload();
    // Unloaded windows wait for the event loop; none may outlive the program.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::array<FormSlotBase*, 5> Program::forms()
{
    return {&sch640x480, &frmReeks, &Werkblad, &Resultaten, &frmEindscherm};
}

void Program::start()
{
    sch640x480.Load();
    sch640x480.Show();
}

void Program::MsgBox(const QString& prompt, int buttons, const QString& title)
{
    services.messages->MsgBox(prompt, buttons, title);
}

void Program::End()
{
    for (FormSlotBase* slot : forms())
        slot->Unload();
    services.ender->End();
}

bool Program::anyFormLoaded()
{
    for (FormSlotBase* slot : forms())
        if (slot->isLoaded())
            return true;
    return false;
}

void Program::closeRequested(Form* form)
{
    for (FormSlotBase* slot : forms())
        if (slot->form() == form)
            slot->Unload();
    if (!anyFormLoaded())
        services.ender->End();
}

int runProgram(const Variant& variant)
{
    // The programs take no arguments: Qt sees only the program's name.
    static int argc = 1;
    static QByteArray name = variant.name.toLocal8Bit();
    static char* argv[] = {name.data(), nullptr};
    QApplication app(argc, argv);
    setUpApplication();
    QApplication::setApplicationName(variant.name);
    QApplication::setApplicationVersion(QStringLiteral("1.00"));

    Program program(variant, Services::system());
    program.start();
    return app.exec();
}
