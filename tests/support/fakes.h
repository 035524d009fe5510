#pragma once

#include "forms/program.h"
#include "runtime/services.h"
#include "variants.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

// A clock that reads what the test set: either one value, or a queue of
// readings that are taken one by one (the last one repeats).
class FakeClock final : public Clock {
public:
    double Timer() override;
    QDate Date() override { return date; }

    void set(double seconds) { readings = {seconds}; }
    void queue(std::initializer_list<double> seconds) { readings.assign(seconds); }

    std::deque<double> readings{0.0};
    QDate date{2026, 12, 9};
    int timesRead = 0;
};

struct ShownBox {
    QString prompt;
    int buttons;
    QString title;
    friend bool operator==(const ShownBox&, const ShownBox&) = default;
};

// Records every box and confirms it at once. onShow runs while the box is
// up, to look at the screens as the pupil sees them then.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    void MsgBox(const QString& prompt, int buttons, const QString& title) override;
    std::vector<ShownBox> shown;
    std::function<void(const ShownBox&)> onShow;
    QStringList prompts() const;
};

class RecordingEnder final : public Ender {
public:
    void End() override { ++ends; }
    int ends = 0;
};

// Keeps a printer's font state and records every call in order ("FontSize 18",
// "Print", "EndDoc") and every printed line with the font it was printed in.
// EndDoc answers `outcome`.
class RecordingPrinter final : public Printer {
public:
    void setFontSize(double points) override;
    void setFontBold(bool on) override;
    void setFontUnderline(bool on) override;
    void setCurrentY(double twips) override;
    void setSetting16(int16_t value) override;
    void setSetting32(int32_t value) override;
    void Print(const PrintLine& items) override;
    PrintOutcome EndDoc() override;

    struct Line {
        PrintFont font;
        PrintLine items;
    };
    QStringList calls;
    std::vector<Line> lines;
    PrintFont font{};
    PrintOutcome outcome = PrintOutcome::Printed;
};

// A line's items for comparing: Tab(n), "text", [ 45 ] for an integer with the
// blanks it prints with, <date> as the system prints it.
QString describe(const PrintLine& items);

// Services a TestProgram leaves to the system instead of a fake; or-ed together.
enum RealService : int { NoRealService = 0, RealMessageBoxes = 1, RealPrinter = 2 };

// A program with fake services, set up as the programs set up their
// application; the fakes stay reachable from the test. A service left to the
// system has no fake: its pointer is null.
struct TestProgram {
    explicit TestProgram(const Variant& variant, int real = NoRealService);
    FakeClock* clock;
    RecordingMessageBoxes* boxes = nullptr;
    RecordingEnder* ender;
    RecordingPrinter* printer = nullptr;
    std::unique_ptr<Program> program;
    Program* operator->() { return program.get(); }
    Program& operator*() { return *program; }
};
