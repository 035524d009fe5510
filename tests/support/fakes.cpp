#include "fakes.h"

#include "runtime/application.h"

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

void RecordingPrinter::setFontSize(double points)
{
    font.size = points;
    calls << QStringLiteral("FontSize %1").arg(points);
}

void RecordingPrinter::setFontBold(bool on)
{
    font.bold = on;
    calls << (on ? QStringLiteral("FontBold on") : QStringLiteral("FontBold off"));
}

void RecordingPrinter::setFontUnderline(bool on)
{
    font.underline = on;
    calls << (on ? QStringLiteral("FontUnderline on") : QStringLiteral("FontUnderline off"));
}

void RecordingPrinter::setCurrentY(double twips) { calls << QStringLiteral("CurrentY %1").arg(twips); }
void RecordingPrinter::setSetting16(int16_t value) { calls << QStringLiteral("Setting16 %1").arg(value); }
void RecordingPrinter::setSetting32(int32_t value) { calls << QStringLiteral("Setting32 %1").arg(value); }

void RecordingPrinter::Print(const PrintLine& items)
{
    calls << QStringLiteral("Print");
    lines.push_back({font, items});
}

PrintOutcome RecordingPrinter::EndDoc()
{
    calls << QStringLiteral("EndDoc");
    return outcome;
}

QString describe(const PrintLine& items)
{
    QStringList parts;
    for (const PrintItem& item : items) {
        if (const auto* tab = std::get_if<Tab>(&item))
            parts << QStringLiteral("Tab(%1)").arg(tab->column);
        else if (std::holds_alternative<PrintedInteger>(item))
            parts << "[" + printedText(item) + "]";
        else if (std::holds_alternative<QDate>(item))
            parts << "<" + printedText(item) + ">";
        else
            parts << "\"" + printedText(item) + "\"";
    }
    return parts.join(QLatin1Char(' '));
}

TestProgram::TestProgram(const Variant& variant, int real)
{
    setUpApplication();
    Services s = Services::system();
    auto c = std::make_unique<FakeClock>();
    auto e = std::make_unique<RecordingEnder>();
    clock = c.get();
    ender = e.get();
    s.clock = std::move(c);
    s.ender = std::move(e);
    if (!(real & RealMessageBoxes)) {
        auto m = std::make_unique<RecordingMessageBoxes>();
        boxes = m.get();
        s.messages = std::move(m);
    }
    if (!(real & RealPrinter)) {
        auto r = std::make_unique<RecordingPrinter>();
        printer = r.get();
        s.printer = std::move(r);
    }
    program = std::make_unique<Program>(variant, std::move(s));
}
