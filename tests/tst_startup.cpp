#include "fakes.h"
#include "forms/Resultaten.h"
#include "forms/Werkblad.h"
#include "forms/frmEindscherm.h"
#include "forms/frmReeks.h"
#include "forms/sch640x480.h"

#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QScreen>
#include <QTest>

class tst_Startup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void theStartScreenComesFirstWithStartFocused_data();
    void theStartScreenComesFirstWithStartFocused();
    void startOpensThePupilFormOverTheStartScreen_data();
    void startOpensThePupilFormOverTheStartScreen();
    void aClickOnThePictureOrTheFormDoesNothing();
    void startAgainKeepsWhatWasTypedAndSetsTheSizeBack();

    void everyFormHasItsWindowFromTheTable_data();
    void everyFormHasItsWindowFromTheTable();

    void everyPictureLoadsAtItsSizeAndInItsFormat_data();
    void everyPictureLoadsAtItsSizeAndInItsFormat();
    void theExecutablesCarryEveryPicture_data();
    void theExecutablesCarryEveryPicture();

private:
    Program& program() { return *t->program; }
    sch640x480* start() { return program().sch640x480.get(); }
    frmReeks* pupilForm() { return program().frmReeks.get(); }
    QWidget* focus() { return QApplication::focusWidget(); }
    static int px(int twips) { return design::px(twips); }

    std::unique_ptr<TestProgram> t;
};

void tst_Startup::init() { t = std::make_unique<TestProgram>(Variant::pramilo()); }
void tst_Startup::cleanup() { t.reset(); }

void tst_Startup::theStartScreenComesFirstWithStartFocused_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("picture");
    QTest::newRow("Pramilo") << "Pramilo" << ":/pictures/pramilo_title.bmp";
    QTest::newRow("Sudeval") << "Sudeval" << ":/pictures/sudeval_title.bmp";
}

void tst_Startup::theStartScreenComesFirstWithStartFocused()
{
    QFETCH(QString, program);
    QFETCH(QString, picture);
    t = std::make_unique<TestProgram>(variantNamed(program));
    this->program().start();
    QVERIFY(start());
    QVERIFY(QTest::qWaitForWindowActive(start()));
    QCOMPARE(focus(), &start()->Command1);
    // Nothing but the start screen is loaded, and no field is touched.
    QVERIFY(!this->program().frmReeks.isLoaded());
    QVERIFY(!this->program().Werkblad.isLoaded());
    QCOMPARE(this->program().Variabelen.PupilName, QString());
    QCOMPARE(this->program().Variabelen.ExerciseNumber, int16_t(0));

    // The program's own title picture fills the background, stretched to its box.
    QCOMPARE(start()->Image1.pixmap().toImage().convertToFormat(QImage::Format_RGB32),
             QImage(picture).convertToFormat(QImage::Format_RGB32));
    QVERIFY(start()->Image1.hasScaledContents());
    QCOMPARE(start()->Image1.geometry(), QRect(0, -1, 637, 484));
    // START lies on the picture, inside the window although the picture runs below it.
    QVERIFY(start()->Command1.geometry().bottom() < start()->client()->height());
    QVERIFY(start()->Image1.geometry().bottom() >= start()->client()->height());
    QVERIFY(start()->client()->childAt(start()->Command1.geometry().center()) == &start()->Command1);
}

void tst_Startup::startOpensThePupilFormOverTheStartScreen_data()
{
    QTest::addColumn<QString>("press");
    QTest::newRow("a click") << "click";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("Space") << "space";
}

void tst_Startup::startOpensThePupilFormOverTheStartScreen()
{
    QFETCH(QString, press);
    program().start();
    QVERIFY(QTest::qWaitForWindowActive(start()));
    if (press == QLatin1String("click"))
        QTest::mouseClick(&start()->Command1, Qt::LeftButton);
    else
        QTest::keyClick(focus(), press == QLatin1String("enter") ? Qt::Key_Return : Qt::Key_Space);

    QVERIFY(pupilForm());
    QVERIFY(QTest::qWaitForWindowActive(pupilForm()));
    QCOMPARE(focus(), &pupilForm()->txtNaam);
    QCOMPARE(pupilForm()->size(), QSize(px(9600), px(6800)));
    // Both centred at the same size: the pupil form covers the start screen,
    // which stays loaded and shown beneath it.
    QCOMPARE(pupilForm()->geometry(), start()->geometry());
    QVERIFY(start()->isVisible());
    QVERIFY(!program().Werkblad.isLoaded());
}

void tst_Startup::aClickOnThePictureOrTheFormDoesNothing()
{
    program().start();
    QVERIFY(QTest::qWaitForWindowActive(start()));
    QTest::mouseClick(&start()->Image1, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseClick(start(), Qt::LeftButton, {}, QPoint(0, 0)); // the border
    QVERIFY(!program().frmReeks.isLoaded());
    QCOMPARE(start()->size(), QSize(px(9600), px(6800)));
}

void tst_Startup::startAgainKeepsWhatWasTypedAndSetsTheSizeBack()
{
    program().start();
    QVERIFY(QTest::qWaitForWindowActive(start()));
    QTest::keyClick(focus(), Qt::Key_Return);
    frmReeks* first = pupilForm();
    QVERIFY(QTest::qWaitForWindowActive(first));
    QTest::keyClicks(&first->txtNaam, QStringLiteral("Anna"));
    QTest::keyClick(&first->txtNaam, Qt::Key_Return);
    QTest::keyClicks(&first->txtKlas, QStringLiteral("3"));

    // The pupil drags the lower right corner of the border up and left.
    const QPoint corner(first->width() - 2, first->height() - 2);
    QTest::mousePress(first, Qt::LeftButton, {}, corner);
    QTest::mouseMove(first, corner - QPoint(200, 100));
    QTest::mouseRelease(first, Qt::LeftButton, {}, corner - QPoint(200, 100));
    QCOMPARE(first->size(), QSize(px(9600) - 200, px(6800) - 100));

    // A click on the start screen, now partly free, brings it forward. The
    // click goes through the window, as the window system delivers it.
    QTest::mouseClick(start()->windowHandle(), Qt::LeftButton, {}, QPoint(600, 400));
    QVERIFY(QTest::qWaitForWindowActive(start()));
    QCOMPARE(focus(), &start()->Command1);
    QTest::keyClick(focus(), Qt::Key_Return);

    QCOMPARE(pupilForm(), first);
    QVERIFY(QTest::qWaitForWindowActive(first));
    QCOMPARE(first->size(), QSize(px(9600), px(6800)));
    QCOMPARE(first->txtNaam.Text(), QStringLiteral("Anna"));
    QCOMPARE(first->txtKlas.Text(), QStringLiteral(" 3"));
    QCOMPARE(program().Variabelen.PupilName, QStringLiteral("Anna"));
}

void tst_Startup::everyFormHasItsWindowFromTheTable_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<int>("clientHeight");
    QTest::addColumn<int>("border"); // pixels on each side
    QTest::addColumn<QColor>("background"); // invalid: the system's default
    QTest::addColumn<int>("outerWidth"); // after its Load
    QTest::addColumn<int>("outerHeight");
    QTest::newRow("sch640x480: fixed single, sized by its Load")
        << "sch640x480" << 9570 << 7305 << 1 << QColor() << 9600 << 6800;
    QTest::newRow("frmReeks: sizable, burnt orange, loaded at its design size")
        << "frmReeks" << 9480 << 7185 << 4 << QColor(192, 64, 0) << 9600 << 7305;
    QTest::newRow("Werkblad: sizable, brownish red")
        << "Werkblad" << 9480 << 7185 << 4 << QColor(128, 64, 64) << 9600 << 7305;
    QTest::newRow("Resultaten: sizable, dark red")
        << "Resultaten" << 9510 << 7185 << 4 << QColor(128, 0, 0) << 9630 << 7305;
    QTest::newRow("frmEindscherm: sizable, dark blue")
        << "frmEindscherm" << 9510 << 7185 << 4 << QColor(0, 0, 64) << 9630 << 7305;
}

void tst_Startup::everyFormHasItsWindowFromTheTable()
{
    QFETCH(QString, form);
    QFETCH(int, clientWidth);
    QFETCH(int, clientHeight);
    QFETCH(int, border);
    QFETCH(QColor, background);
    QFETCH(int, outerWidth);
    QFETCH(int, outerHeight);

    // The design state, before any Load handler runs.
    std::unique_ptr<Form> design;
    FormSlotBase* slot = nullptr;
    if (form == QLatin1String("sch640x480")) {
        design = std::make_unique<sch640x480>(program());
        slot = &program().sch640x480;
    } else if (form == QLatin1String("frmReeks")) {
        design = std::make_unique<frmReeks>(program());
        slot = &program().frmReeks;
    } else if (form == QLatin1String("Werkblad")) {
        design = std::make_unique<Werkblad>(program());
        slot = &program().Werkblad;
    } else if (form == QLatin1String("Resultaten")) {
        design = std::make_unique<Resultaten>(program());
        slot = &program().Resultaten;
    } else {
        design = std::make_unique<frmEindscherm>(program());
        slot = &program().frmEindscherm;
    }
    QCOMPARE(design->borderWidth(), border);
    QCOMPARE(design->size(), QSize(px(clientWidth) + 2 * border, px(clientHeight) + 2 * border));
    const QColor shown = design->client()->palette().color(QPalette::Window);
    QCOMPARE(shown, background.isValid() ? background : QApplication::palette().color(QPalette::Window));
    // No title bar: the form draws its own border.
    QVERIFY(design->windowFlags() & Qt::FramelessWindowHint);
    design.reset();

    slot->Show();
    Form* f = slot->form();
    QVERIFY(QTest::qWaitForWindowActive(f));
    QCOMPARE(f->size(), QSize(px(outerWidth), px(outerHeight)));
    QCOMPARE(f->client()->geometry(), f->rect().adjusted(border, border, -border, -border));
    const QPoint screenCentre = f->screen()->availableGeometry().center();
    QVERIFY(qAbs(f->geometry().center().x() - screenCentre.x()) <= 1);
    QVERIFY(qAbs(f->geometry().center().y() - screenCentre.y()) <= 1);
}

void tst_Startup::everyPictureLoadsAtItsSizeAndInItsFormat_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::newRow("Pramilo's title") << ":/pictures/pramilo_title.bmp" << QByteArray("bmp") << QSize(531, 393);
    QTest::newRow("Sudeval's title") << ":/pictures/sudeval_title.bmp" << QByteArray("bmp") << QSize(531, 393);
    QTest::newRow("the emblem") << ":/pictures/emblem.jpg" << QByteArray("jpeg") << QSize(113, 124);
    QTest::newRow("START") << ":/pictures/start.gif" << QByteArray("gif") << QSize(43, 58);
    QTest::newRow("the end button's picture") << ":/pictures/end_eindigen.gif" << QByteArray("gif") << QSize(27, 33);
    QTest::newRow("the next pupil's picture") << ":/pictures/end_volgende.gif" << QByteArray("gif") << QSize(35, 36);
}

void tst_Startup::everyPictureLoadsAtItsSizeAndInItsFormat()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);

    if (format == "bmp") {
        // An uncompressed 24-bit bitmap: 531 rows of 1596 bytes after a 54-byte header.
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray data = f.readAll();
        QCOMPARE(data.size(), 627282);
        const auto le16 = [&](int at) { return uchar(data[at]) | uchar(data[at + 1]) << 8; };
        QCOMPARE(le16(28), 24); // bits per pixel
        QCOMPARE(le16(30), 0);  // no compression
    }
}

void tst_Startup::theExecutablesCarryEveryPicture_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("picture");
    const QStringList pictures{"pramilo_title.bmp", "sudeval_title.bmp", "emblem.jpg",
                               "start.gif", "end_eindigen.gif", "end_volgende.gif"};
    for (const auto& [name, path] : {std::pair{"Pramilo", PRAMILO_EXECUTABLE},
                                     std::pair{"Sudeval", SUDEVAL_EXECUTABLE}})
        for (const QString& p : pictures)
            QTest::addRow("%s holds %s", name, qPrintable(p)) << QString::fromUtf8(path) << p;
}

void tst_Startup::theExecutablesCarryEveryPicture()
{
    QFETCH(QString, executable);
    QFETCH(QString, picture);
    static QHash<QString, QByteArray> binaries;
    if (!binaries.contains(executable)) {
        QFile exe(executable);
        QVERIFY2(exe.open(QIODevice::ReadOnly), qPrintable(executable));
        binaries.insert(executable, exe.readAll());
    }
    QFile resource(":/pictures/" + picture);
    QVERIFY(resource.open(QIODevice::ReadOnly));
    const QByteArray bytes = resource.readAll();
    QVERIFY(bytes.size() > 500);
    // The pictures are stored uncompressed, byte for byte as drawn.
    QVERIFY(binaries.value(executable).contains(bytes));
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
