// Drives both programs with fake services through the screens of a pupil's
// way in and saves each one as a PNG, drawn offscreen at its real size:
//   render_screens OUTDIR
#include "fakes.h"
#include "forms/Resultaten.h"
#include "forms/Werkblad.h"
#include "forms/frmEindscherm.h"
#include "forms/frmReeks.h"
#include "forms/sch640x480.h"
#include "runtime/application.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

namespace {

bool save(QWidget* form, const QString& dir, const QString& name)
{
    QCoreApplication::processEvents();
    const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
    if (!form->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), form->width(), form->height());
    return true;
}

bool renderProgram(const Variant& variant, const QString& dir)
{
    const QString p = variant.name.toLower();
    TestProgram t(variant);
    bool ok = true;

    t->start();
    sch640x480* start = t->sch640x480.get();
    ok &= save(start, dir, p + QStringLiteral("_start"));

    QTest::keyClick(&start->Command1, Qt::Key_Return);
    frmReeks* form = t->frmReeks.get();
    ok &= save(form, dir, p + QStringLiteral("_pupil_form"));

    QTest::keyClicks(&form->txtNaam, QStringLiteral("Anna"));
    QTest::keyClick(&form->txtNaam, Qt::Key_Return);
    QTest::keyClicks(&form->txtKlas, QStringLiteral("4"));
    QTest::keyClick(&form->txtKlas, Qt::Key_Return);
    ok &= save(form, dir, p + QStringLiteral("_pupil_form_series"));

    QTest::keyClick(&form->cmdKies1, Qt::Key_Return);
    Werkblad* sheet = t->Werkblad.get();
    ok &= save(sheet, dir, p + QStringLiteral("_worksheet"));

    // A test of about three seconds an exercise, every seventh answer wrong.
    t.clock->set(36000);
    QTest::keyClick(&sheet->cmdStart, Qt::Key_Return);
    for (int i = 1; i <= 50; ++i) {
        const OperandPair pair = variant.seriesTable(1)[i - 1];
        const int answer = variant.ExpectedAnswer(pair.a, pair.b) + (i % 7 == 0 ? 1 : 0);
        QTest::keyClicks(&sheet->txtRes, QString::number(answer));
        if (i == 6)
            ok &= save(sheet, dir, p + QStringLiteral("_worksheet_running"));
        t.clock->set(36000 + 3.1 * i);
        QTest::keyClick(&sheet->txtRes, Qt::Key_Return);
    }
    ok &= save(t->Resultaten.get(), dir, p + QStringLiteral("_results"));

    QTest::keyClick(&t->Resultaten->cmdNAfdrukken, Qt::Key_Return);
    ok &= save(t->frmEindscherm.get(), dir, p + QStringLiteral("_end"));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    // Drawn offscreen unless asked otherwise: no window opens.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication();
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    const bool ok = renderProgram(Variant::pramilo(), dir) && renderProgram(Variant::sudeval(), dir);
    return ok ? 0 : 1;
}
