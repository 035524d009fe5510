#include "forms/Resultaten.h"

#include "forms/frmEindscherm.h"
#include "forms/program.h"
#include "forms/shared.h"
#include "report/results_report.h"
#include "state/conversions.h"
#include "state/results.h"
#include "state/series.h"

#include <algorithm>

using design::FontSpec;
using design::kSansSerif;
using shared::kEmblem;
using shared::kLetOp;

namespace {

// Design values: twips, &H00BBGGRR& colours, points.
const FormDesign kForm{9510, 7185, 0x00000080, BorderStyle::Sizable};

const FontSpec kFormFont{kSansSerif, 13.5, true};
const FontSpec kCaptionFont{kSansSerif, 18, true};
const FontSpec kFigureFont{kSansSerif, 24, true};
constexpr uint32_t kPink = 0x00FFC0FF;
constexpr uint32_t kLightYellow = 0x00C0FFFF;
constexpr uint32_t kRed = 0x000000C0;
constexpr uint32_t kDarkPurple = 0x00400040;

const LabelDesign kLblTitel{
    .caption = QStringLiteral(" "), .place = {4560, 240, 168, 480}, .font = kCaptionFont,
    .backColor = 0x0000FFFF, .foreColor = 0x00004080, .align = TextAlign::Center, .tabIndex = 7,
    .border = true, .autoSize = true};
const LabelDesign kLblTotaal{
    .caption = QStringLiteral("TOTAAL AANTAL OEFENINGEN:"), .place = {360, 960, 6012, 492},
    .font = kCaptionFont, .backColor = kPink, .foreColor = kRed, .align = TextAlign::Right,
    .tabIndex = 0, .enabled = false, .border = true};
const LabelDesign kLbl50{
    .caption = QStringLiteral("50"), .place = {6840, 960, 612, 492}, .font = kFigureFont,
    .backColor = kPink, .foreColor = kDarkPurple, .align = TextAlign::Left, .tabIndex = 2,
    .enabled = false, .border = true};
const LabelDesign kLblJuist{
    .caption = QStringLiteral("TOTAAL AANTAL JUIST:"), .place = {360, 1560, 6012, 492},
    .font = kCaptionFont, .backColor = kPink, .foreColor = kRed, .align = TextAlign::Right,
    .tabIndex = 3, .enabled = false, .border = true};
const LabelDesign kLblJuiste{
    .caption = QStringLiteral(" "), .place = {6840, 1560, 612, 492}, .font = kFigureFont,
    .backColor = kPink, .foreColor = kDarkPurple, .align = TextAlign::Left, .tabIndex = 4,
    .enabled = false, .border = true};
const LabelDesign kLblProcent{
    .caption = QStringLiteral("IN PROCENTEN: "), .place = {360, 2280, 6012, 492},
    .font = kCaptionFont, .backColor = kPink, .foreColor = kRed, .align = TextAlign::Right,
    .tabIndex = 5, .enabled = false, .border = true};
const LabelDesign kLblProcent2{
    .caption = QStringLiteral(" "), .place = {6840, 2280, 612, 492}, .font = kFigureFont,
    .backColor = kPink, .foreColor = kDarkPurple, .align = TextAlign::Left, .tabIndex = 6,
    .enabled = false, .border = true};
const LabelDesign kLblTijdtotaal{
    .caption = QStringLiteral("TOTALE TIJD:"), .place = {360, 3000, 5412, 492},
    .font = kCaptionFont, .backColor = kLightYellow, .foreColor = kRed,
    .align = TextAlign::Right, .tabIndex = 8, .enabled = false, .border = true};
// The platform's default label text colour.
const LabelDesign kLblTijd{
    .caption = QString(), .place = {6000, 3000, 3372, 492}, .font = kCaptionFont,
    .backColor = kLightYellow, .foreColor = std::nullopt, .align = TextAlign::Left,
    .tabIndex = 10, .enabled = false, .border = true};
const LabelDesign kLblGemiddelde{
    .caption = QStringLiteral("GEMIDDELD PER OEFENING:"), .place = {360, 3720, 5412, 492},
    .font = kCaptionFont, .backColor = kLightYellow, .foreColor = kRed,
    .align = TextAlign::Right, .tabIndex = 9, .enabled = false, .border = true};
const LabelDesign kLblGemiddeld{
    .caption = QStringLiteral(" "), .place = {6000, 3720, 3372, 492}, .font = kCaptionFont,
    .backColor = kLightYellow, .foreColor = 0x00000080, .align = TextAlign::Left,
    .tabIndex = 11, .enabled = false, .border = true};
const ButtonDesign kCmdAfdrukken{
    .caption = QStringLiteral("JA !"), .place = {1080, 4335, 1692, 2130}, .font = kFormFont,
    .backColor = kPink, .picture = kEmblem, .tabIndex = 1};
const LabelDesign kLblAfdruk{
    .caption = QStringLiteral("JE PROEF AFDRUKKEN ?"), .place = {2880, 5280, 3768, 396},
    .font = kFormFont, .backColor = 0x00400000, .foreColor = 0x00C0E0FF,
    .align = TextAlign::Center, .tabIndex = 13, .border = true, .autoSize = true};
const ButtonDesign kCmdNAfdrukken{
    .caption = QStringLiteral("NEEN !"), .place = {6705, 4320, 1692, 2160}, .font = kFormFont,
    .backColor = kPink, .picture = kEmblem, .tabIndex = 12};

// Array indexes of the two single-member control arrays.
constexpr int16_t kNAfdrukkenIndex = 0;
constexpr int16_t kAfdrukkenIndex = 1;

// The report's font sizes in points: the title, the pupil's data, the table.
constexpr double kTitlePoints = 18;
constexpr double kDataPoints = 13;
constexpr double kTablePoints = 10;

const QString kReminder = QStringLiteral("Kijk of de printer gereed is!");
const QString kNoPrinter =
    QStringLiteral("Er is geen printer gevonden. Je proef is niet afgedrukt.");
const QString kPrintFailed =
    QStringLiteral("Het afdrukken is niet gelukt. Je proef is niet afgedrukt.");

} // namespace

Resultaten::Resultaten(Program& p)
    : Form(p, kForm),
      lblTitel(client()),
      lblTotaal(client()),
      lbl50(client()),
      lblJuist(client()),
      lblJuiste(client()),
      lblProcent(client()),
      lblProcent2(client()),
      lblTijdtotaal(client()),
      lblTijd(client()),
      lblGemiddelde(client()),
      lblGemiddeld(client()),
      cmdAfdrukken(client()),
      lblAfdruk(client()),
      cmdNAfdrukken(client()),
      program(p)
{
    lblTitel.apply(kLblTitel);
    lblTotaal.apply(kLblTotaal);
    lbl50.apply(kLbl50);
    lblJuist.apply(kLblJuist);
    lblJuiste.apply(kLblJuiste);
    lblProcent.apply(kLblProcent);
    lblProcent2.apply(kLblProcent2);
    lblTijdtotaal.apply(kLblTijdtotaal);
    lblTijd.apply(kLblTijd);
    lblGemiddelde.apply(kLblGemiddelde);
    lblGemiddeld.apply(kLblGemiddeld);
    cmdAfdrukken.apply(kCmdAfdrukken);
    lblAfdruk.apply(kLblAfdruk);
    cmdNAfdrukken.apply(kCmdNAfdrukken);
    centreTitle();

    cmdNAfdrukken.Click = [this] { cmdNAfdrukken_Click(kNAfdrukkenIndex); };
    cmdAfdrukken.Click = [this] { cmdAfdrukken_Click(kAfdrukkenIndex); };
}

void Resultaten::Form_Load()
{
    auto& V = program.Variabelen;
    lblJuiste.setCaption(vb::CStr(V.CorrectCount));
    lblProcent2.setCaption(vb::CStr(Percentage(V.CorrectCount)));
    lblTitel.setCaption(V.PupilName + QStringLiteral(", hier zijn je resultaten:"));
    centreTitle();
    const MinutesAndSeconds total = SplitTotalTime(V.TotalSeconds);
    V.TotalMinutes = total.minutes;
    V.TotalRestSeconds = total.seconds;
    lblTijd.setCaption(QStringLiteral(" ") + vb::CStr(V.TotalMinutes) + QStringLiteral(" min. en ") +
                       vb::CStr(V.TotalRestSeconds) + QStringLiteral(" sec."));
    lblGemiddeld.setCaption(AverageText(V.TotalSeconds) + QStringLiteral("  seconden"));
}

void Resultaten::cmdNAfdrukken_Click(int16_t)
{
    program.frmEindscherm.Load();
    program.frmEindscherm.Show();
}

void Resultaten::cmdAfdrukken_Click(int16_t)
{
    program.MsgBox(kReminder, MessageBoxes::OkOnly, kLetOp);

    auto& V = program.Variabelen;
    const std::vector<PrintLine> report =
        ResultsReport(V, program.variant.reportTitle, program.services.clock->Date());
    const auto line = [&report](int number) -> const PrintLine& { return report[number - 1]; };
    Printer& printer = *program.services.printer;

    printer.setCurrentY(250);
    printer.setFontSize(kTitlePoints);
    printer.setSetting16(2);
    printer.setFontBold(true);
    printer.setSetting32(0);
    printer.setFontUnderline(true);

    printer.Print(line(1));
    printer.setFontSize(kDataPoints);
    printer.Print(line(2));

    printer.setSetting32(2);
    printer.setFontBold(false);
    printer.setFontUnderline(false);
    for (int n = 3; n <= 7; ++n)
        printer.Print(line(n));
    printer.Print(line(8));

    printer.setFontSize(kTablePoints);
    printer.setFontUnderline(true);
    printer.Print(line(9));
    printer.Print(line(10));
    printer.setFontUnderline(false);

    for (int i = 1; i <= kExercisesPerSeries; ++i)
        printer.Print(line(10 + i));

    // A print that did not reach the printer keeps the test as it is, so the
    // pupil can try again or choose not to print.
    switch (printer.EndDoc()) {
    case PrintOutcome::Printed: break;
    case PrintOutcome::NoPrinter:
        program.MsgBox(kNoPrinter, MessageBoxes::Critical, kLetOp);
        return;
    case PrintOutcome::Failed:
        program.MsgBox(kPrintFailed, MessageBoxes::Critical, kLetOp);
        return;
    }

    V.TotalMinutes = 0;
    V.TotalRestSeconds = 0;
    V.TotalSeconds = 0;

    program.frmEindscherm.Load();
    program.frmEindscherm.Show();
}

void Resultaten::centreTitle()
{
    // The title grows to both sides of its design box's centre, inside the
    // form; one wider than the form starts at its left edge and is cut at the right.
    const int centre = design::px(kLblTitel.place.left() + kLblTitel.place.width() / 2);
    const int room = design::px(kForm.clientWidth);
    const int width = lblTitel.width();
    lblTitel.move(std::clamp(centre - width / 2, 0, std::max(0, room - width)), lblTitel.y());
}
