#include "forms/frmReeks.h"

#include "forms/program.h"
#include "forms/shared.h"
#include "forms/series_choice.h"
#include "state/conversions.h"
#include "state/frmreeks_rules.h"

using design::kSansSerif;
using shared::kEmblem;
using shared::kLetOp;

namespace {

// Design values: twips, &H00BBGGRR& colours, points.
const FormDesign kForm{9480, 7185, 0x000040C0, BorderStyle::Sizable};

const LabelDesign kLabel1{
    .caption = QStringLiteral("Vul je naam of klasnummer in:"), .place = {135, 210, 3705, 420},
    .font = {kSansSerif, 12, true}, .backColor = 0x00800000, .foreColor = 0x00FFFFFF,
    .align = TextAlign::Left, .tabIndex = 7};
const TextBoxDesign kTxtNaam{
    .text = {}, .place = {4080, 225, 5310, 405}, .font = {kSansSerif, 12, true},
    .backColor = 0x00FFFFC0, .align = TextAlign::Center, .tabIndex = 5};
const LabelDesign kLabel2{
    .caption = QStringLiteral("Vul je klas in:"), .place = {120, 915, 3705, 420},
    .font = {kSansSerif, 12, true}, .backColor = 0x00800000, .foreColor = 0x00FFFFFF,
    .align = TextAlign::Right, .tabIndex = 8};
const TextBoxDesign kTxtKlas{
    .text = QStringLiteral(" "), .place = {4095, 945, 1215, 435}, .font = {kSansSerif, 13.5, true},
    .backColor = 0x00FF80FF, .align = TextAlign::Center, .tabIndex = 6};
const LabelDesign kLblKies{
    .caption = QStringLiteral(" "), .place = {2400, 2355, 4575, 510}, .font = {kSansSerif, 18, true},
    .backColor = 0x000040C0, .foreColor = 0x00FFFFFF, .align = TextAlign::Center, .tabIndex = 9};

// The five series buttons differ only in their number and place; hidden until
// a class is accepted.
ButtonDesign seriesButton(int k, const QRect& place)
{
    return {.caption = QStringLiteral("Reeks %1").arg(k), .place = place,
            .font = {kSansSerif, 13.5, true}, .backColor = 0x00FFC0FF, .picture = kEmblem,
            .tabIndex = k - 1, .visible = false};
}
const ButtonDesign kCmdKies1 = seriesButton(1, {465, 1530, 1695, 2190});
const ButtonDesign kCmdKies2 = seriesButton(2, {7200, 1545, 1725, 2205});
const ButtonDesign kCmdKies3 = seriesButton(3, {465, 4080, 1725, 2190});
const ButtonDesign kCmdKies4 = seriesButton(4, {3675, 4065, 1710, 2190});
const ButtonDesign kCmdKies5 = seriesButton(5, {7200, 4095, 1710, 2175});

// The band under "KIES EEN REEKS" once a class is accepted: the plain value 12.
constexpr uint32_t kKiesBand = 0x0000000C;

} // namespace

frmReeks::frmReeks(Program& p)
    : Form(p, kForm),
      Label1(client()),
      txtNaam(client()),
      Label2(client()),
      txtKlas(client()),
      lblKies(client()),
      cmdKies1(client()),
      cmdKies2(client()),
      cmdKies3(client()),
      cmdKies4(client()),
      cmdKies5(client()),
      program(p)
{
    Label1.apply(kLabel1);
    txtNaam.apply(kTxtNaam);
    Label2.apply(kLabel2);
    txtKlas.apply(kTxtKlas);
    lblKies.apply(kLblKies);
    cmdKies1.apply(kCmdKies1);
    cmdKies2.apply(kCmdKies2);
    cmdKies3.apply(kCmdKies3);
    cmdKies4.apply(kCmdKies4);
    cmdKies5.apply(kCmdKies5);

    txtNaam.KeyPress = [this](int16_t& KeyAscii) { txtNaam_KeyPress(KeyAscii); };
    txtKlas.KeyPress = [this](int16_t& KeyAscii) { txtKlas_KeyPress(KeyAscii); };
    cmdKies1.Click = [this] { cmdKies1_Click(); };
    cmdKies2.Click = [this] { cmdKies2_Click(); };
    cmdKies3.Click = [this] { cmdKies3_Click(); };
    cmdKies4.Click = [this] { cmdKies4_Click(); };
    cmdKies5.Click = [this] { cmdKies5_Click(); };
}

void frmReeks::txtNaam_KeyPress(int16_t& KeyAscii)
{
    auto& V = program.Variabelen;
    V.PupilName = txtNaam.Text();
    if (KeyAscii == 13) {
        const int length = vb::Len(V.PupilName);
        if (length == 1) {
            program.MsgBox(QStringLiteral("Vul je naam in!"), MessageBoxes::Critical, kLetOp);
            txtNaam.setFocus(Qt::OtherFocusReason);
        } else if (length >= 2) {
            txtKlas.setFocus(Qt::OtherFocusReason);
        }
    }
}

void frmReeks::txtKlas_KeyPress(int16_t& KeyAscii)
{
    auto& V = program.Variabelen;
    if (ClassKeyRejected(KeyAscii)) {
        program.MsgBox(QStringLiteral("Een cijfer van 2 to 6 a.u b."), MessageBoxes::Critical, kLetOp);
        txtKlas.putText(QString());
        V.PupilClass = QString();
        txtKlas.setFocus(Qt::OtherFocusReason);
        KeyAscii = 0;
        return;
    }
    V.PupilClass = txtKlas.Text();
    if (KeyAscii == 13) {
        // A text past the 16-bit range ("66666", or pasted digits) stands
        // for no class at all.
        const std::optional<int16_t> ClassNumber = vb::CInt(vb::Val(V.PupilClass));
        if (!ClassNumber || *ClassNumber < 2 || *ClassNumber > 6) {
            program.MsgBox(QStringLiteral("Vul het juiste cijfer in voor je klas!"),
                           MessageBoxes::Critical, kLetOp);
            txtKlas.setFocus(Qt::OtherFocusReason);
        } else {
            cmdKies1.setVisible(true);
            cmdKies2.setVisible(true);
            cmdKies3.setVisible(true);
            cmdKies4.setVisible(true);
            cmdKies5.setVisible(true);
            cmdKies1.setFocus(Qt::OtherFocusReason);
            lblKies.setBackColor(kKiesBand);
            lblKies.setCaption(QStringLiteral("KIES EEN REEKS"));
        }
    }
}

void frmReeks::cmdKies1_Click() { chooseSeries(program, 1); }
void frmReeks::cmdKies2_Click() { chooseSeries(program, 2); }
void frmReeks::cmdKies3_Click() { chooseSeries(program, 3); }
void frmReeks::cmdKies4_Click() { chooseSeries(program, 4); }
void frmReeks::cmdKies5_Click() { chooseSeries(program, 5); }
