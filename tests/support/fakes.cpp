#include "fakes.h"

double FakeClock::Timer()
{
    ++timesRead;
    const double value = readings.front();
    if (readings.size() > 1)
        readings.pop_front();
    return value;
}

void RecordingMessageBoxes::MsgBox(const QString& prompt, int buttons, const QString& title)
{
    shown.push_back({prompt, buttons, title});
    if (onShow)
        onShow(shown.back());
}

QStringList RecordingMessageBoxes::prompts() const
{
    QStringList out;
    for (const ShownBox& b : shown)
        out << b.prompt;
    return out;
}

TestProgram::TestProgram(const Variant& variant)
{
    Services s;
    auto c = std::make_unique<FakeClock>();
    auto m = std::make_unique<RecordingMessageBoxes>();
    auto e = std::make_unique<RecordingEnder>();
    clock = c.get();
    boxes = m.get();
    ender = e.get();
    s.clock = std::move(c);
    s.messages = std::move(m);
    s.ender = std::move(e);
    program = std::make_unique<Program>(variant, std::move(s));
}

const Variant& variantNamed(const QString& name)
{
    return name == QLatin1String("Sudeval") ? Variant::sudeval() : Variant::pramilo();
}
