#include "program.h"

#include "Resultaten.h"
#include "Werkblad.h"
#include "frmEindscherm.h"
#include "frmReeks.h"
#include "sch640x480.h"

#include <QApplication>
#include <QStyleFactory>

Program::Program(const Variant& v, Services s)
    : variant(v),
      services(std::move(s)),
      sch640x480([this] { return std::make_unique<::sch640x480>(*this); }),
      frmReeks([this] { return std::make_unique<::frmReeks>(*this); }),
      Werkblad([this] { return std::make_unique<::Werkblad>(*this); }),
      Resultaten([this] { return std::make_unique<::Resultaten>(*this); }),
      frmEindscherm([this] { return std::make_unique<::frmEindscherm>(*this); })
{
    design::installFontSubstitutes();
}

Program::~Program()
{
    for (FormSlotBase* slot : {static_cast<FormSlotBase*>(&frmEindscherm),
                               static_cast<FormSlotBase*>(&Resultaten),
                               static_cast<FormSlotBase*>(&Werkblad),
                               static_cast<FormSlotBase*>(&frmReeks),
                               static_cast<FormSlotBase*>(&sch640x480)})
        slot->Unload();
    // Unloaded windows wait for the event loop; none may outlive the program.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
    for (FormSlotBase* slot : {static_cast<FormSlotBase*>(&frmReeks),
                               static_cast<FormSlotBase*>(&Resultaten),
                               static_cast<FormSlotBase*>(&sch640x480),
                               static_cast<FormSlotBase*>(&Werkblad),
                               static_cast<FormSlotBase*>(&frmEindscherm)})
        slot->Unload();
    services.ender->End();
}

bool Program::anyFormLoaded() const
{
    return sch640x480.isLoaded() || frmReeks.isLoaded() || Werkblad.isLoaded() ||
           Resultaten.isLoaded() || frmEindscherm.isLoaded();
}

FormSlotBase* Program::slotOf(Form* form)
{
    for (FormSlotBase* slot : {static_cast<FormSlotBase*>(&sch640x480),
                               static_cast<FormSlotBase*>(&frmReeks),
                               static_cast<FormSlotBase*>(&Werkblad),
                               static_cast<FormSlotBase*>(&Resultaten),
                               static_cast<FormSlotBase*>(&frmEindscherm)})
        if (slot->form() == form)
            return slot;
    return nullptr;
}

void Program::closeRequested(Form* form)
{
    if (FormSlotBase* slot = slotOf(form))
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
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setApplicationName(variant.name);
    QApplication::setApplicationVersion(QStringLiteral("1.00"));

    Program program(variant, Services::system());
    program.start();
    return app.exec();
}
