#include "forms/sch640x480.h"

#include "forms/frmReeks.h"
#include "forms/program.h"

using design::kSansSerif;

namespace {

// Design values: twips, &H00BBGGRR& colours, points.
const FormDesign kForm{9570, 7305, std::nullopt, BorderStyle::FixedSingle};

const ButtonDesign kCommand1{
    .caption = QStringLiteral("START"), .place = {4080, 5400, 1332, 1212},
    .font = {kSansSerif, 13.5, true}, .backColor = 0x0000FF00,
    .picture = QStringLiteral(":/pictures/start.gif"), .tabIndex = 0};
// The picture is the variant's own.
const ImageDesign kImage1{.place = {0, -15, 9555, 7260}, .picture = {}};

// The outer size the code gives the start screen and the pupil form.
constexpr int kHeight = 6800;
constexpr int kWidth = 9600;

} // namespace

sch640x480::sch640x480(Program& p) : Form(p, kForm), Command1(client()), Image1(client()), program(p)
{
    Command1.apply(kCommand1);
    ImageDesign image = kImage1;
    image.picture = p.variant.titlePicture;
    Image1.apply(image);
    // The picture is the background: the button lies on it.
    Image1.lower();

    Command1.Click = [this] { Command1_Click(); };
}

void sch640x480::Form_Load()
{
    setHeight(kHeight);
    setWidth(kWidth);
}

void sch640x480::Command1_Click()
{
    program.frmReeks.Load();
    program.frmReeks.setHeight(kHeight);
    program.frmReeks.setWidth(kWidth);
    program.frmReeks.Show();
}
