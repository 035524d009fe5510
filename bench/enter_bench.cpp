// Times the worksheet's Enter as a pupil gives it: a key event into the
// answer box, the handler's fifteen steps and the display refresh. Prints the
// median and the 95th percentile over many tests, offscreen.
#include "fakes.h"
#include "forms/Werkblad.h"
#include "forms/series_choice.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * (v.size() - 1) + 0.5))];
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int tests = argc > 1 ? std::atoi(argv[1]) : 100;

    std::vector<double> enter, last;
    for (int n = 0; n < tests; ++n) {
        TestProgram t(n % 2 ? Variant::sudeval() : Variant::pramilo());
        chooseSeries(*t, 1 + n % 5);
        Werkblad* w = t->Werkblad.get();
        QTest::mouseClick(&w->cmdStart, Qt::LeftButton);
        for (int i = 1; i <= 50; ++i) {
            QTest::keyClicks(&w->txtRes, "42");
            QElapsedTimer timer;
            timer.start();
            QTest::keyClick(&w->txtRes, Qt::Key_Return);
            const double us = timer.nsecsElapsed() / 1000.0;
            (i < 50 ? enter : last).push_back(us);
        }
    }
    std::printf("worksheet Enter (exercises 1-49): median %.1f us, p95 %.1f us (%zu Enters)\n",
                percentile(enter, 0.5), percentile(enter, 0.95), enter.size());
    std::printf("worksheet Enter on exercise 50 (loads the results): median %.1f us, p95 %.1f us\n",
                percentile(last, 0.5), percentile(last, 0.95));
    return 0;
}
