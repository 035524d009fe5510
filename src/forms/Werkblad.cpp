#include "forms/Werkblad.h"

#include "forms/Resultaten.h"
#include "forms/program.h"
#include "forms/shared.h"
#include "state/conversions.h"
#include "state/werkblad_rules.h"

using design::kSansSerif;
using shared::kEmblem;
using shared::kLetOp;

namespace {

// Design values: twips, &H00BBGGRR& colours, points.
const FormDesign kForm{9480, 7185, 0x00404080, BorderStyle::Sizable};

const QString kEmptyAnswer = QStringLiteral("Vul een getal in!");

const LabelDesign kLblOef{
    .caption = QStringLiteral("Los op en druk op ENTER"), .place = {1440, 600, 6612, 612},
    .font = {kSansSerif, 24}, .backColor = 0x0080C0FF, .foreColor = 0x00000040,
    .align = TextAlign::Center, .tabIndex = 0};
const TextBoxDesign kTxtFacA{
    .text = {}, .place = {2880, 1800, 972, 972}, .font = {kSansSerif, 36},
    .align = TextAlign::Center, .tabIndex = 2, .readOnly = true, .tabStop = false};
// Caption and place come from the variant.
const LabelDesign kLblMaal{
    .caption = {}, .place = {}, .font = {kSansSerif, 36, true}, .backColor = 0x00404080,
    .foreColor = 0x00C0FFFF, .align = TextAlign::Center, .tabIndex = 3};
const TextBoxDesign kTxtFacB{
    .text = {}, .place = {5640, 1800, 972, 972}, .font = {kSansSerif, 36},
    .align = TextAlign::Center, .tabIndex = 4, .readOnly = true, .tabStop = false};
const TextBoxDesign kTxtRes{
    .text = QStringLiteral(" "), .place = {3975, 3015, 1572, 984}, .font = {kSansSerif, 36, true},
    .align = TextAlign::Center, .tabIndex = 1, .visible = false, .maxLength = 4,
    .toolTip = QStringLiteral("Tik resultaat en druk zo snel mogelijk op ENTER")};
const ButtonDesign kCmdStart{
    .caption = QStringLiteral("START"), .place = {3840, 4440, 1812, 2295},
    .font = {kSansSerif, 12, true}, .backColor = 0x000000FF, .picture = kEmblem, .tabIndex = 9};
const LabelDesign kLblAantal{
    .caption = QStringLiteral("Oefening nr.:"), .place = {1200, 4440, 2292, 372},
    .font = {kSansSerif, 13.5, true}, .backColor = 0x00C0E0FF, .foreColor = 0x00FF0000,
    .align = TextAlign::Center, .tabIndex = 5};
const TextBoxDesign kTxtOefNr{
    .text = {}, .place = {1680, 5160, 1212, 852}, .font = {kSansSerif, 36, true},
    .foreColor = 0x000000C0, .align = TextAlign::Center, .tabIndex = 6, .readOnly = true,
    .tabStop = false};
const LabelDesign kLblJuist{
    .caption = QStringLiteral("Aantal juist:"), .place = {6000, 4440, 2292, 372},
    .font = {kSansSerif, 13.5, true}, .backColor = 0x00C0E0FF, .foreColor = 0x00FF0000,
    .align = TextAlign::Center, .tabIndex = 7};
const TextBoxDesign kTxtJuist{
    .text = {}, .place = {6600, 5160, 1212, 852}, .font = {kSansSerif, 36, true},
    .foreColor = 0x000000C0, .align = TextAlign::Center, .tabIndex = 8, .readOnly = true,
    .tabStop = false};

} // namespace

Werkblad::Werkblad(Program& p)
    : Form(p, kForm),
      lblOef(client()),
      txtFacA(client()),
      lblMaal(client()),
      txtFacB(client()),
      txtRes(client()),
      cmdStart(client()),
      lblAantal(client()),
      txtOefNr(client()),
      lblJuist(client()),
      txtJuist(client()),
      program(p)
{
    lblOef.apply(kLblOef);
    txtFacA.apply(kTxtFacA);
    LabelDesign maal = kLblMaal;
    maal.caption = p.variant.operatorCaption;
    maal.place = p.variant.operatorPlace;
    lblMaal.apply(maal);
    txtFacB.apply(kTxtFacB);
    txtRes.apply(kTxtRes);
    cmdStart.apply(kCmdStart);
    lblAantal.apply(kLblAantal);
    txtOefNr.apply(kTxtOefNr);
    lblJuist.apply(kLblJuist);
    txtJuist.apply(kTxtJuist);

    cmdStart.Click = [this] { cmdStart_Click(); };
    txtRes.KeyPress = [this](int16_t& KeyAscii) { txtRes_KeyPress(KeyAscii); };
}

void Werkblad::Form_Load()
{
    auto& V = program.Variabelen;
    if (V.ExerciseNumber == 0)
        V.ExerciseNumber = 1;
    const int N = V.ExerciseNumber;
    txtOefNr.putText(vb::CStr(N));
    txtJuist.putText(vb::CStr(0));
    txtFacA.putText(vb::CStr(program.variant.FirstShown(V.FactorA[N], V.FactorB[N])));
    txtFacB.putText(vb::CStr(program.variant.SecondShown(V.FactorA[N], V.FactorB[N])));
}

void Werkblad::cmdStart_Click()
{
    program.Variabelen.ExerciseStart = clockReading();
    cmdStart.setVisible(false);
    txtRes.setVisible(true);
    txtRes.setFocus(Qt::OtherFocusReason);
}

void Werkblad::txtRes_KeyPress(int16_t& KeyAscii)
{
    // A finished test stays beneath the results: its box takes no more answers,
    // which would run past the last exercise.
    if (program.Variabelen.ExerciseNumber > kExercisesPerSeries) {
        KeyAscii = 0;
        return;
    }
    KeyAscii = DigitKeyFilter(KeyAscii);
    if (KeyAscii == 13)
        enterSteps();
}

void Werkblad::enterSteps()
{
    auto& V = program.Variabelen;
    const Variant& variant = program.variant;
    const int N = V.ExerciseNumber;

    V.ExerciseEnd = clockReading();
    V.ExerciseElapsed = ElapsedSeconds(V.ExerciseStart, V.ExerciseEnd);
    V.ExerciseStart = clockReading();
    V.TimeStars[N] = StarRating(V.ExerciseElapsed);
    // Beyond the 16-bit fields a time is held at their limit, never wrapped.
    V.ExerciseSeconds[N] = vb::clampToInt16(V.ExerciseElapsed);
    V.TotalSeconds = vb::clampToInt16(qint64(V.TotalSeconds) + V.ExerciseElapsed);

    if (txtRes.Text().isEmpty()) {
        program.MsgBox(kEmptyAnswer, MessageBoxes::OkOnly, kLetOp);
        return;
    }
    const std::optional<int16_t> answer = vb::CInt(vb::Val(txtRes.Text()));
    if (!answer) {
        // Pasted text can spell a number no answer field holds: it is no
        // answer, and the pupil types one anew.
        txtRes.putText(QString());
        program.MsgBox(kEmptyAnswer, MessageBoxes::OkOnly, kLetOp);
        return;
    }
    V.PupilAnswers[N] = *answer;
    const bool right = V.PupilAnswers[N] == variant.ExpectedAnswer(V.FactorA[N], V.FactorB[N]);
    V.ResultLines[N] =
        ResultLine(variant.ExerciseText(V.FactorA[N], V.FactorB[N]), right, V.PupilAnswers[N]);
    if (right)
        V.CorrectCount = static_cast<int16_t>(V.CorrectCount + 1);
    V.ExerciseNumber = static_cast<int16_t>(N + 1);
    txtRes.putText(QString());

    if (V.ExerciseNumber == kExercisesPerSeries + 1) {
        program.MsgBox(QStringLiteral("OK,Je bent klaar!"), MessageBoxes::OkOnly,
                       QStringLiteral("Gedaan!"));
        program.Resultaten.Load();
        program.Resultaten.Show();
    }
    showExercise();
}

void Werkblad::showExercise()
{
    const auto& V = program.Variabelen;
    const int N = V.ExerciseNumber;
    txtOefNr.putText(vb::CStr(N));
    txtJuist.putText(vb::CStr(V.CorrectCount));
    txtFacA.putText(vb::CStr(program.variant.FirstShown(V.FactorA[N], V.FactorB[N])));
    txtFacB.putText(vb::CStr(program.variant.SecondShown(V.FactorA[N], V.FactorB[N])));
}

int32_t Werkblad::clockReading()
{
    // The clock's seconds since midnight always fit; 0 would only follow a broken clock.
    return vb::CLng(program.services.clock->Timer()).value_or(0);
}
