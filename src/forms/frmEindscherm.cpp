#include "forms/frmEindscherm.h"

#include "forms/frmReeks.h"
#include "forms/program.h"
#include "forms/shared.h"

using design::kSansSerif;
using design::kVerdana;
using shared::kEmblem;

namespace {

// Design values: twips, &H00BBGGRR& colours, points.
const FormDesign kForm{9510, 7185, 0x00400000, BorderStyle::Sizable};

// The credits: the maker's name, and the school's address block.
const TextBoxDesign kText2{
    .text = QStringLiteral("Ann Tafelmans\n"), .place = {720, 240, 7932, 1116},
    .font = {kVerdana, 39, true}, .backColor = 0x00800000, .foreColor = 0x00FFFFFF,
    .align = TextAlign::Center, .tabIndex = 3};
const TextBoxDesign kText1{
    .text = QStringLiteral("Basisschool De Rekenboom\n"
                           "Tafelstraat 8, 9999 Rekendorp, België\n"
                           "Tel. 000 00 00 00\n"),
    .place = {720, 1440, 7932, 1332}, .font = {kVerdana, 16.5, true}, .backColor = 0x00FFFF00,
    .foreColor = 0x00FF0000, .align = TextAlign::Center, .tabIndex = 2};
const ImageDesign kImage1{.place = {3195, 3045, 2970, 3255},
                          .picture = kEmblem};
const ButtonDesign kCommand1{
    .caption = QStringLiteral("IK WIL HET PROGRAMMA EINDIGEN"), .place = {690, 4950, 1452, 1332},
    .font = {kSansSerif, 8.25, true}, .backColor = 0x000080FF,
    .picture = QStringLiteral(":/pictures/end_eindigen.gif"), .tabIndex = 0};
const ButtonDesign kCommand2{
    .caption = QStringLiteral("DE VOLGENDE KANDIDAAT A.U B."), .place = {7245, 4950, 1452, 1332},
    .font = {kSansSerif, 8.25, true}, .backColor = 0x000080FF,
    .picture = QStringLiteral(":/pictures/end_volgende.gif"), .tabIndex = 1};

} // namespace

frmEindscherm::frmEindscherm(Program& p)
    : Form(p, kForm),
      Text2(client()),
      Text1(client()),
      Image1(client()),
      Command1(client()),
      Command2(client()),
      program(p)
{
    Text2.apply(kText2);
    Text1.apply(kText1);
    Image1.apply(kImage1);
    Command1.apply(kCommand1);
    Command2.apply(kCommand2);

    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void frmEindscherm::unloadTheTestForms()
{
    program.frmReeks.Unload();
    program.Resultaten.Unload();
    program.sch640x480.Unload();
    program.Werkblad.Unload();
}

void frmEindscherm::Command1_Click()
{
    unloadTheTestForms();
    program.End();
}

void frmEindscherm::Command2_Click()
{
    unloadTheTestForms();
    program.frmReeks.Load();
    auto& V = program.Variabelen;
    V.ExerciseNumber = 0;
    V.CorrectCount = 0;
    V.TotalSeconds = 0;
    V.TotalMinutes = 0;
    V.TotalRestSeconds = 0;
    program.frmReeks.Show();
}
