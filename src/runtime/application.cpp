#include "runtime/application.h"

#include "runtime/design.h"

#include <QApplication>
#include <QStyleFactory>

void setUpApplication()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    design::installFontSubstitutes();
}
