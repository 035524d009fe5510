// Times "JA !" on the results screen, printing on the system's default printer:
// from the confirmed reminder to the document handed to the printer, and to
// the PDF that a cups-pdf queue writes. Run it through bench/print.sh or
// bench/run.sh.
#include "fakes.h"
#include "forms/Resultaten.h"

#include <QApplication>
#include <QDir>
#include <QThread>

#include <cups/cups.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;

// The default printer; notes when EndDoc has handed the document over.
class TimedPrinter final : public Printer {
public:
    void setFontSize(double points) override { inner->setFontSize(points); }
    void setFontBold(bool on) override { inner->setFontBold(on); }
    void setFontUnderline(bool on) override { inner->setFontUnderline(on); }
    void setCurrentY(double twips) override { inner->setCurrentY(twips); }
    void setSetting16(int16_t value) override { inner->setSetting16(value); }
    void setSetting32(int32_t value) override { inner->setSetting32(value); }
    void Print(const PrintLine& items) override { inner->Print(items); }
    PrintOutcome EndDoc() override
    {
        const PrintOutcome outcome = inner->EndDoc();
        handedOver = Steady::now();
        return outcome;
    }
    std::unique_ptr<Printer> inner = defaultPrinter();
    Steady::time_point handedOver;
};

// Only the default queue's jobs: other queues may be busy with other runs.
bool queueEmpty()
{
    cups_job_t* jobs = nullptr;
    const int active =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, cupsGetDefault(), 0, CUPS_WHICHJOBS_ACTIVE);
    cupsFreeJobs(active > 0 ? active : 0, jobs);
    return active == 0;
}

double ms(Steady::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void report(const char* what, std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    std::printf("%-34s median %7.1f ms   min %7.1f   max %7.1f   (%zu prints)\n", what,
                v[v.size() / 2], v.front(), v.back(), v.size());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CUPS_PDF_FOLDER [PRINTS]\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int prints = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pramilo"));

    // Every box is confirmed at once; the reminder's confirmation starts the clock.
    TestProgram t(Variant::pramilo(), RealPrinter);
    Steady::time_point confirmed;
    t.boxes->onShow = [&confirmed](const ShownBox& box) {
        if (box.prompt != QLatin1String("Kijk of de printer gereed is!"))
            std::fprintf(stderr, "message: %s\n", qPrintable(box.prompt));
        confirmed = Steady::now();
    };
    auto printer = std::make_unique<TimedPrinter>();
    TimedPrinter* p = printer.get();
    t->services.printer = std::move(printer);
    Program& program = *t;

    auto& V = program.Variabelen;
    V.PupilName = QStringLiteral("Lotte Vermeulen");
    V.PupilClass = QStringLiteral("5");
    V.SeriesNumber = 3;
    V.CorrectCount = 45;
    for (int i = 1; i <= 50; ++i) {
        V.TimeStars[i] = QString(1 + i % 5, QLatin1Char('*'));
        V.ResultLines[i] = QStringLiteral("%1 x 7 = %2").arg(i % 11).arg(7 * (i % 11));
        V.ExerciseSeconds[i] = int16_t(i % 23);
    }

    std::vector<double> toPrinter;
    std::vector<double> toPdf;
    QDir dir(folder);
    for (int n = 0; n < prints; ++n) {
        for (const QString& old : dir.entryList({QStringLiteral("*.pdf")}, QDir::Files))
            dir.remove(old);
        V.TotalSeconds = 163;
        program.Resultaten.Unload();
        program.Resultaten.Load();
        program.Resultaten->cmdAfdrukken_Click(1);
        const auto deadline = Steady::now() + std::chrono::seconds(60);
        while (!(queueEmpty() && !dir.entryList({QStringLiteral("*.pdf")}, QDir::Files).isEmpty())) {
            if (Steady::now() > deadline) {
                std::fprintf(stderr, "no PDF in %s after 60 s\n", argv[1]);
                return 1;
            }
            QThread::msleep(1);
        }
        const auto written = Steady::now();
        toPrinter.push_back(ms(p->handedOver - confirmed));
        toPdf.push_back(ms(written - confirmed));
    }
    report("reminder confirmed -> handed over", toPrinter);
    report("reminder confirmed -> PDF written", toPdf);
    return 0;
}
