#include "fakes.h"
#include "forms/Werkblad.h"
#include "forms/frmEindscherm.h"
#include "forms/frmReeks.h"
#include "forms/sch640x480.h"
#include "forms/series_choice.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <functional>

// An input method (dead keys, compose sequences) sends a composition that is
// still pending, text it has finished, or both, to the box with the focus.
// Each box is driven here through its real form, with such compositions
// mixed into keys, clicks, pastes and the program's own changes of the text.

// The program changes a box's text only through putText, which ends a
// composition first; Qt's own setText cannot be reached by mistake.
template <class Box>
concept takesSetText = requires(Box& b) { b.setText(QString()); };
static_assert(!takesSetText<TextBox> && !takesSetText<MultiLineTextBox>);

namespace {

const ShownBox kEmptyAnswer{"Vul een getal in!", 0, "Let op!"};
const ShownBox kKeyMessage{"Een cijfer van 2 to 6 a.u b.", 16, "Let op!"};

void sendComposition(QWidget* box, const QString& pending, const QString& finished = {},
                     int takeBackFrom = 0, int takeBackLength = 0)
{
    QList<QInputMethodEvent::Attribute> attributes;
    attributes << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, int(pending.size()), 1);
    QInputMethodEvent event(pending, attributes);
    event.setCommitString(finished, takeBackFrom, takeBackLength);
    QApplication::sendEvent(box, &event);
}

// The input method moves the cursor or the selection, as Wayland's text input
// does: "from,length" from the start of the cursor's line, with what it then
// composes after a "|", if anything.
void sendSelection(QWidget* box, const QString& at)
{
    const QString where = at.section(u'|', 0, 0);
    QList<QInputMethodEvent::Attribute> attributes;
    attributes << QInputMethodEvent::Attribute(QInputMethodEvent::Selection,
                                               where.section(u',', 0, 0).toInt(),
                                               where.section(u',', 1).toInt());
    QInputMethodEvent event(at.section(u'|', 1), attributes);
    QApplication::sendEvent(box, &event);
}

// A right click opens the box's context menu; one of its entries is chosen.
void chooseFromContextMenu(QWidget* box, const QString& entry)
{
    const QPoint at(box->width() / 2, box->height() / 2);
    QTest::mouseClick(box, Qt::RightButton, {}, at);
    QContextMenuEvent open(QContextMenuEvent::Mouse, at, box->mapToGlobal(at));
    QApplication::sendEvent(box, &open);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY2(menu, "no context menu");
    QAction* chosen = nullptr;
    for (QAction* a : menu->actions())
        if (a->text().remove(u'&').startsWith(entry))
            chosen = a;
    const bool usable = chosen && chosen->isEnabled();
    if (usable)
        chosen->trigger();
    menu->close();
    QVERIFY2(usable, qPrintable(entry));
}

// Text dragged from elsewhere and dropped right of the box's text.
void dropText(QWidget* box, const QString& text)
{
    QMimeData data;
    data.setText(text);
    const QPointF at(box->width() - 3, box->height() / 2);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(box, &enter);
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(box, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(box, &drop);
}

// Runs one step of a pupil's way through a box, written as "what:argument":
//   type:24         keys typed              compose:ab      a composition pending
//   key:5a          one key that makes the characters 5 and a
//   finish:4x2|^    text the input method finished, and what it still composes
//   select:-2,1|ab  the input method moves the selection, composing ab then
//   takeback:ê      text finished in place of the character before the cursor
//   paste:12        Ctrl+V                  insert:12       Shift+Insert
//   menupaste:12    the context menu's Paste   drop:12    text dropped right of the text
//   click           a click right of the text (into the text area of a multi-line box)
//   enter, backspace, ctrl+h, left, home, end, shift+home, ctrl+end, ctrl+a, pagedown,
//   undo, redo
void step(QWidget* box, QWidget* area, const QString& s)
{
    const QString what = s.section(u':', 0, 0);
    const QString arg = s.section(u':', 1);
    if (what == "type") {
        QTest::keyClicks(box, arg);
    } else if (what == "compose") {
        sendComposition(box, arg);
    } else if (what == "finish") {
        sendComposition(box, arg.section(u'|', 1), arg.section(u'|', 0, 0));
    } else if (what == "select") {
        sendSelection(box, arg);
    } else if (what == "takeback") {
        sendComposition(box, QString(), arg, -1, 1);
    } else if (what == "paste") {
        QApplication::clipboard()->setText(arg);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    } else if (what == "insert") {
        QApplication::clipboard()->setText(arg);
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (what == "menupaste") {
        QApplication::clipboard()->setText(arg);
        chooseFromContextMenu(area, QStringLiteral("Paste"));
    } else if (what == "drop") {
        dropText(box, arg);
    } else if (what == "click") {
        QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(area->width() - 3, area->height() / 2));
    } else if (what == "enter") {
        QTest::keyClick(box, Qt::Key_Return);
    } else if (what == "backspace") {
        QTest::keyClick(box, Qt::Key_Backspace);
    } else if (what == "ctrl+h") {
        QTest::keyClick(box, Qt::Key_H, Qt::ControlModifier);
    } else if (what == "left") {
        QTest::keyClick(box, Qt::Key_Left);
    } else if (what == "home") {
        QTest::keyClick(box, Qt::Key_Home);
    } else if (what == "end") {
        QTest::keyClick(box, Qt::Key_End);
    } else if (what == "shift+home") {
        QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier);
    } else if (what == "key") {
        // One key that makes several characters.
        QKeyEvent press(QEvent::KeyPress, Qt::Key(arg.at(0).toUpper().unicode()), {}, arg);
        QApplication::sendEvent(box, &press);
    } else if (what == "pagedown") {
        QTest::keyClick(box, Qt::Key_PageDown);
    } else if (what == "ctrl+a") {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    } else if (what == "ctrl+end") {
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    } else if (what == "undo") {
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    } else if (what == "redo") {
        QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
    } else {
        QFAIL(qPrintable("unknown step " + s));
    }
}

} // namespace

class tst_InputMethod : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void textReplacedUnderACompositionLeavesNoCursorPastItsEnd();
    void redoLeavesTheCursorInsideTheText();
    void theAnswerBoxTakesEveryCompositionSoundly_data();
    void theAnswerBoxTakesEveryCompositionSoundly();
    void theNameBoxTakesEveryCompositionSoundly_data();
    void theNameBoxTakesEveryCompositionSoundly();
    void theClassBoxTakesEveryCompositionSoundly_data();
    void theClassBoxTakesEveryCompositionSoundly();
    void theCreditBoxesTakeEveryCompositionSoundly_data();
    void theCreditBoxesTakeEveryCompositionSoundly();
    void creditBoxesStaySoundWhenTheInputMethodMovesTheSelection_data();
    void creditBoxesStaySoundWhenTheInputMethodMovesTheSelection();
    void compositionsLeftPendingWhenTheFormsAreUnloadedHarmNothing();
    void ctrlHErasesOneCharacterInEveryKeyedBox_data();
    void ctrlHErasesOneCharacterInEveryKeyedBox();
    void mixedSequencesLeaveEveryBoxWhole_data();
    void mixedSequencesLeaveEveryBoxWhole();

private:
    Program& P() { return *t->program; }
    void run(QWidget* box, QWidget* area, const QStringList& steps);
    void openThePupilForm();

    std::unique_ptr<TestProgram> t;
};

void tst_InputMethod::init() { t = std::make_unique<TestProgram>(Variant::pramilo()); }
void tst_InputMethod::cleanup() { t.reset(); }

void tst_InputMethod::run(QWidget* box, QWidget* area, const QStringList& steps)
{
    for (const QString& s : steps) {
        step(box, area, s);
        if (QTest::currentTestFailed())
            return;
        if (auto* line = qobject_cast<QLineEdit*>(box))
            QVERIFY2(line->cursorPosition() <= line->text().size(),
                     qPrintable("cursor past the text after " + s));
        if (auto* edit = qobject_cast<QTextEdit*>(box)) {
            const QTextCursor c = edit->textCursor();
            QVERIFY2(c.position() < edit->document()->characterCount() &&
                         c.anchor() < edit->document()->characterCount(),
                     qPrintable("cursor past the text after " + s));
            for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next())
                QVERIFY2(b == c.block() || b.layout()->preeditAreaText().isEmpty(),
                         qPrintable("a composition left in another line after " + s));
        }
    }
}

void tst_InputMethod::openThePupilForm()
{
    P().start();
    QTest::mouseClick(&P().sch640x480->Command1, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(P().frmReeks.get()));
}

void tst_InputMethod::textReplacedUnderACompositionLeavesNoCursorPastItsEnd()
{
    // The bare sequence: the box is emptied by the program while a
    // composition waits, then a click beside the text and Backspace.
    QWidget window;
    TextBox box(&window);
    box.setGeometry(0, 0, 200, 40);
    window.show();
    box.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClicks(&box, "7361");
    sendComposition(&box, QStringLiteral("ab"));
    box.putText(QString());
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(150, 20));
    QCOMPARE(box.cursorPosition(), 0);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(box.Text(), QString());
    QTest::keyClicks(&box, "42");
    QCOMPARE(box.Text(), QStringLiteral("42"));
}

void tst_InputMethod::redoLeavesTheCursorInsideTheText()
{
    // Qt's own Redo of a paste over an erased character left the cursor one
    // past the end, and the next key typed a blank before itself.
    openThePupilForm();
    TextBox& box = P().frmReeks->txtNaam;
    QTest::mouseClick(&box, Qt::LeftButton);
    run(&box, &box, {"paste:1", "backspace", "paste:178", "undo", "undo", "redo"});
    QTest::keyClicks(&box, "5");
    QVERIFY2(!box.Text().contains(u' '), qPrintable(box.Text()));
    QVERIFY(box.Text().endsWith(u'5'));
}

void tst_InputMethod::theAnswerBoxTakesEveryCompositionSoundly_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text"); // in the box at the end
    QTest::addColumn<QStringList>("lines"); // recorded, from exercise 1 (8 x 3, then 7 x 5)
    QTest::addColumn<int>("messages");
    const QString line1 = QStringLiteral("8 x 3 = 24");
    const QString line2 = QStringLiteral("7 x 5 = 35");
    QTest::newRow("the box is emptied at Enter while a composition waits; a click; Backspace")
        << QStringList{"type:24", "compose:ab", "enter", "click", "backspace", "type:35", "enter"}
        << "" << QStringList{line1, line2} << 0;
    QTest::newRow("a pasted number too large is emptied while a composition waits")
        << QStringList{"insert:9E9", "compose:ab", "enter", "click", "backspace", "type:24",
                       "enter"}
        << "" << QStringList{line1} << 1;
    QTest::newRow("an empty box is refused while a composition waits")
        << QStringList{"backspace", "compose:ab", "enter", "click", "backspace", "type:24", "enter"}
        << "" << QStringList{line1} << 1;
    QTest::newRow("a finished composition with Enter records the answer")
        << QStringList{"type:2", "compose:^", "finish:4\r|^", "click", "backspace", "type:35",
                       "enter"}
        << "" << QStringList{line1, line2} << 0;
    QTest::newRow("several finished characters: only the digits reach the box")
        << QStringList{"compose:ab", "finish:4x2|^", "click", "backspace"} << " 4" << QStringList{}
        << 0;
    QTest::newRow("a finished composition of code 8 erases a digit")
        << QStringList{"type:245", "compose:ab", "finish:\b|", "enter"} << "" << QStringList{line1}
        << 0;
    QTest::newRow("a composition that the input method drops leaves the box as it was")
        << QStringList{"compose:ab", "compose:", "type:24"} << " 24" << QStringList{} << 0;
    QTest::newRow("Ctrl+V dropped by the key rule, Shift+Insert pasting, a composition waiting")
        << QStringList{"compose:ab", "paste:3", "compose:cd", "insert:56", "click", "backspace",
                       "type:7", "enter"}
        << "" << QStringList{"8 x 3 = ..........57"} << 0;
    QTest::newRow("the context menu's Paste while a composition waits")
        << QStringList{"compose:ab", "menupaste:12", "click", "backspace"} << " 1" << QStringList{}
        << 0;
    QTest::newRow("Ctrl+H erases a digit while a composition waits")
        << QStringList{"type:245", "compose:ab", "ctrl+h", "enter"} << "" << QStringList{line1}
        << 0;
    QTest::newRow("a key that makes several characters: only the digits reach the box")
        << QStringList{"key:5a", "key:3\r"} << "" << QStringList{"8 x 3 = ..........53"} << 0;
}

void tst_InputMethod::theAnswerBoxTakesEveryCompositionSoundly()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QFETCH(int, messages);
    chooseSeries(P(), 1);
    QVERIFY(QTest::qWaitForWindowActive(P().Werkblad.get()));
    QTest::mouseClick(&P().Werkblad->cmdStart, Qt::LeftButton);
    TextBox& box = P().Werkblad->txtRes;
    QTRY_COMPARE(QApplication::focusWidget(), &box);

    run(&box, &box, steps);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(box.Text(), text);
    const auto& V = P().Variabelen;
    QCOMPARE(V.ExerciseNumber, int16_t(lines.size() + 1));
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(V.ResultLines[i + 1], lines[i]);
    QCOMPARE(int(t->boxes->shown.size()), messages);
    for (const ShownBox& shown : t->boxes->shown)
        QCOMPARE(shown, kEmptyAnswer);
}

void tst_InputMethod::theNameBoxTakesEveryCompositionSoundly_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text");
    QTest::newRow("keys typed while a composition waits; a click; Backspace")
        << QStringList{"compose:ab", "type:Jan", "click", "backspace"} << "Ja";
    QTest::newRow("a composition inside the name; the cursor moved by keys")
        << QStringList{"type:Jan", "left", "left", "compose:ab", "end", "click", "backspace"}
        << "Ja";
    QTest::newRow("a composition inside the name; Backspace erases before it")
        << QStringList{"type:Jan", "left", "compose:ab", "backspace", "click", "backspace"} << "J";
    QTest::newRow("Ctrl+V while a composition waits")
        << QStringList{"type:Jan", "compose:ab", "paste:ssen", "click", "backspace"} << "Jansse";
    QTest::newRow("Shift+Insert while a composition waits")
        << QStringList{"type:Jan", "home", "compose:ab", "insert:De ", "click", "backspace"}
        << "De Ja";
    QTest::newRow("the context menu's Paste while a composition waits")
        << QStringList{"type:Jan", "compose:ab", "menupaste:ssen", "click", "backspace"}
        << "Jansse";
    QTest::newRow("text dropped while a composition waits")
        << QStringList{"type:Jan", "compose:ab", "drop:ssen", "backspace"} << "Jansse";
    QTest::newRow("a finished composition with a new one pending; a click; Backspace")
        << QStringList{"type:Ren", "compose:^", "finish:\u00EA|^", "click", "backspace"} << "Ren";
    QTest::newRow("a finished composition in place of the character before it")
        << QStringList{"type:Rene", "compose:^", "takeback:\u00EA", "type:s"} << "Ren\u00EAs";
    QTest::newRow("Ctrl+H erases a selection as Backspace does")
        << QStringList{"type:Anna", "compose:ab", "shift+home", "ctrl+h", "type:Bo"} << "Bo";
}

void tst_InputMethod::theNameBoxTakesEveryCompositionSoundly()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, text);
    openThePupilForm();
    TextBox& box = P().frmReeks->txtNaam;
    QCOMPARE(QApplication::focusWidget(), &box);
    run(&box, &box, steps);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(box.Text(), text);
    QVERIFY(t->boxes->shown.empty());
    // The name as it stands reaches the test state at the next key, as always.
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(P().Variabelen.PupilName, text);
}

void tst_InputMethod::theClassBoxTakesEveryCompositionSoundly_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("messages");
    QTest::newRow("a refused key empties the box while a composition waits; a click; Backspace")
        << QStringList{"type:4", "compose:ab", "type:9", "click", "backspace", "type:3"} << "3"
        << 1;
    QTest::newRow("a finished composition refused by the key rule")
        << QStringList{"type:4", "compose:^", "finish:x|^", "click", "backspace", "type:5"} << "5"
        << 1;
    QTest::newRow("several finished characters: the refused one empties the box")
        << QStringList{"compose:ab", "finish:3x4|^", "click", "backspace", "type:2"} << "2" << 1;
    QTest::newRow("a class pasted by Shift+Insert while a composition waits")
        << QStringList{"compose:ab", "insert:5", "click", "backspace", "type:6"} << " 6" << 0;
    QTest::newRow("Ctrl+H erases a digit while a composition waits")
        << QStringList{"type:44", "compose:ab", "ctrl+h"} << " 4" << 0;
    QTest::newRow("a key that makes several characters: the refused one empties the box")
        << QStringList{"key:3x", "type:4"} << "4" << 1;
}

void tst_InputMethod::theClassBoxTakesEveryCompositionSoundly()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, text);
    QFETCH(int, messages);
    openThePupilForm();
    TextBox& box = P().frmReeks->txtKlas;
    QTest::mouseClick(&box, Qt::LeftButton);
    run(&box, &box, steps);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(box.Text(), text);
    QCOMPARE(t->boxes->shown, std::vector<ShownBox>(size_t(messages), kKeyMessage));
    // What the box holds is the class that Enter judges.
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(P().Variabelen.PupilClass, text);
    QVERIFY(P().frmReeks->cmdKies1.isVisible());
}

void tst_InputMethod::theCreditBoxesTakeEveryCompositionSoundly_data()
{
    QTest::addColumn<bool>("address"); // Text1, else the maker's name, Text2
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("erased"); // characters erased at the end of the text
    QTest::addColumn<QString>("added"); // then added there
    for (bool address : {false, true}) {
        const char* box = address ? "address: " : "name: ";
        QTest::addRow("%sa composition; a click; Backspace at the end", box)
            << address << QStringList{"compose:ab", "click", "ctrl+end", "backspace"} << 1 << "";
        QTest::addRow("%sa finished composition while one waits", box)
            << address
            << QStringList{"ctrl+end", "compose:^", "finish:\u00E9|^", "click", "ctrl+end"} << 0
            << "\u00E9";
        QTest::addRow("%sCtrl+H erases one character, a composition waiting or not", box)
            << address << QStringList{"ctrl+end", "ctrl+h", "compose:ab", "ctrl+h"} << 2 << "";
        QTest::addRow("%sCtrl+V while a composition waits", box)
            << address << QStringList{"ctrl+end", "compose:ab", "paste:4B", "click", "ctrl+end"}
            << 0 << "4B";
    }
}

void tst_InputMethod::theCreditBoxesTakeEveryCompositionSoundly()
{
    QFETCH(bool, address);
    QFETCH(QStringList, steps);
    QFETCH(int, erased);
    QFETCH(QString, added);
    P().frmEindscherm.Show();
    QVERIFY(QTest::qWaitForWindowActive(P().frmEindscherm.get()));
    MultiLineTextBox& box = address ? P().frmEindscherm->Text1 : P().frmEindscherm->Text2;
    const QString before = box.Text();
    QTest::mouseClick(box.viewport(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), &box);
    run(&box, box.viewport(), steps);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(box.Text(), before.chopped(erased) + added);
}

void tst_InputMethod::creditBoxesStaySoundWhenTheInputMethodMovesTheSelection_data()
{
    QTest::addColumn<bool>("address");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text");
    // The composition ends while the cursor goes a line up; Qt left it drawn
    // in the line below, and Page Down then put the cursor past the end.
    const QStringList upALine{"ctrl+a", "paste:ab\ncd\n", "finish:\u010D|\u3131",
                              "select:-2,1", "type:2", "pagedown", "finish:\r|"};
    QTest::newRow("the maker's name") << false << upALine << "ab\nc2\n\u010D\n";
    QTest::newRow("the address") << true << upALine << "ab\nc2\n\u010D\n";
}

void tst_InputMethod::creditBoxesStaySoundWhenTheInputMethodMovesTheSelection()
{
    QFETCH(bool, address);
    QFETCH(QStringList, steps);
    QFETCH(QString, text);
    P().frmEindscherm.Show();
    QVERIFY(QTest::qWaitForWindowActive(P().frmEindscherm.get()));
    MultiLineTextBox& box = address ? P().frmEindscherm->Text1 : P().frmEindscherm->Text2;
    QTest::mouseClick(box.viewport(), Qt::LeftButton);
    run(&box, box.viewport(), steps);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(box.Text(), text);
}

void tst_InputMethod::compositionsLeftPendingWhenTheFormsAreUnloadedHarmNothing()
{
    openThePupilForm();
    TextBox& name = P().frmReeks->txtNaam;
    QTest::keyClicks(&name, "Jan");
    sendComposition(&name, QStringLiteral("ab"));
    chooseSeries(P(), 1);
    QVERIFY(QTest::qWaitForWindowActive(P().Werkblad.get()));
    QTest::mouseClick(&P().Werkblad->cmdStart, Qt::LeftButton);
    QTest::keyClicks(&P().Werkblad->txtRes, "24");
    sendComposition(&P().Werkblad->txtRes, QStringLiteral("ab"));
    const QPointer<QWidget> sheet = P().Werkblad.get();
    const QPointer<QWidget> pupilForm = P().frmReeks.get();

    // The end screen's next-candidate button unloads both forms under them.
    P().frmEindscherm.Show();
    QVERIFY(QTest::qWaitForWindowActive(P().frmEindscherm.get()));
    QTest::mouseClick(&P().frmEindscherm->Command2, Qt::LeftButton);
    QTRY_VERIFY(!sheet && !pupilForm);

    // The next pupil's boxes start without any composition.
    QVERIFY(QTest::qWaitForWindowActive(P().frmReeks.get()));
    TextBox& next = P().frmReeks->txtNaam;
    QTest::keyClicks(&next, "Bo");
    QTest::mouseClick(&next, Qt::LeftButton, {}, QPoint(next.width() - 3, next.height() / 2));
    QTest::keyClick(&next, Qt::Key_Backspace);
    QCOMPARE(next.Text(), QStringLiteral("B"));
    chooseSeries(P(), 1);
    QTest::mouseClick(&P().Werkblad->cmdStart, Qt::LeftButton);
    QTest::keyClicks(&P().Werkblad->txtRes, "24");
    QTest::keyClick(&P().Werkblad->txtRes, Qt::Key_Return);
    QCOMPARE(P().Variabelen.ResultLines[1], QStringLiteral("8 x 3 = 24"));
}

void tst_InputMethod::ctrlHErasesOneCharacterInEveryKeyedBox_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed"); // at the end of what the box held
    QTest::addColumn<QString>("left");  // of it after Ctrl+H
    QTest::newRow("the answer box") << "answer" << "24" << "2";
    QTest::newRow("the name box") << "name" << "Anna" << "Ann";
    QTest::newRow("the class box") << "class" << "44" << "4";
    QTest::newRow("the maker's name on the end screen") << "maker" << "!" << "";
    QTest::newRow("the address on the end screen") << "address" << "!" << "";
}

void tst_InputMethod::ctrlHErasesOneCharacterInEveryKeyedBox()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, left);
    QWidget* target = nullptr;
    std::function<QString()> boxText;
    if (box == "answer") {
        chooseSeries(P(), 1);
        QVERIFY(QTest::qWaitForWindowActive(P().Werkblad.get()));
        QTest::mouseClick(&P().Werkblad->cmdStart, Qt::LeftButton);
        target = &P().Werkblad->txtRes;
        boxText = [this] { return P().Werkblad->txtRes.Text(); };
    } else if (box == "name" || box == "class") {
        openThePupilForm();
        TextBox& b = box == "name" ? P().frmReeks->txtNaam : P().frmReeks->txtKlas;
        target = &b;
        boxText = [&b] { return b.Text(); };
    } else {
        P().frmEindscherm.Show();
        QVERIFY(QTest::qWaitForWindowActive(P().frmEindscherm.get()));
        MultiLineTextBox& b = box == "maker" ? P().frmEindscherm->Text2 : P().frmEindscherm->Text1;
        target = &b;
        boxText = [&b] { return b.Text(); };
    }
    target->setFocus();
    QTest::keyClick(target, Qt::Key_End, Qt::ControlModifier);
    const QString before = boxText();
    QTest::keyClicks(target, typed);
    QTest::keyClick(target, Qt::Key_H, Qt::ControlModifier);
    QCOMPARE(boxText(), before + left);
    QVERIFY(t->boxes->shown.empty());
    if (box == "name")
        QCOMPARE(P().Variabelen.PupilName, typed); // the text before the key, as always
}

void tst_InputMethod::mixedSequencesLeaveEveryBoxWhole_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("the answer box") << "answer";
    QTest::newRow("the name box") << "name";
    QTest::newRow("the class box") << "class";
}

void tst_InputMethod::mixedSequencesLeaveEveryBoxWhole()
{
    // Many sequences of keys, compositions, pastes, clicks and drags, the
    // same ones at every run.
    QFETCH(QString, box);
    const QStringList steps{"type:4", "type:27", "type:a ", "compose:^", "compose:ab", "compose:",
                            "finish:5|", "finish:x8|^", "finish:\u00EA|", "takeback:3", "paste:61",
                            "select:1,-1", "select:-1,9|ab", "select:0,1|^", "key:7b",
                            "insert:9", "drop:2", "click", "backspace", "backspace", "ctrl+h",
                            "left", "home", "end", "shift+home", "undo", "redo", "enter"};
    for (quint32 seed = 1; seed <= 150; ++seed) {
        t = std::make_unique<TestProgram>(Variant::pramilo());
        TextBox* target = nullptr;
        if (box == "answer") {
            chooseSeries(P(), 1);
            QTest::mouseClick(&P().Werkblad->cmdStart, Qt::LeftButton);
            target = &P().Werkblad->txtRes;
        } else {
            openThePupilForm();
            target = box == "name" ? &P().frmReeks->txtNaam : &P().frmReeks->txtKlas;
            QTest::mouseClick(target, Qt::LeftButton);
        }
        QRandomGenerator pick(seed);
        QStringList done;
        for (int i = 0; i < 40; ++i) {
            const QString s = steps[int(pick.bounded(quint32(steps.size())))];
            done << s;
            step(target, target, s);
            if (QTest::currentTestFailed())
                return;
            QVERIFY2(target->cursorPosition() <= target->Text().size() &&
                         target->selectionEnd() <= target->Text().size(),
                     qPrintable(QStringLiteral("seed %1: %2").arg(seed).arg(done.join(u' '))));
        }
        // After a click Backspace takes the character before the cursor.
        if (P().Variabelen.ExerciseNumber <= 50) {
            QTest::mouseClick(target, Qt::LeftButton, {},
                              QPoint(target->width() - 3, target->height() / 2));
            QString expected = target->Text();
            if (const int cursor = target->cursorPosition(); cursor > 0)
                expected.remove(cursor - 1, 1);
            QTest::keyClick(target, Qt::Key_Backspace);
            QVERIFY2(target->Text() == expected,
                     qPrintable(QStringLiteral("seed %1: %2").arg(seed).arg(done.join(u' '))));
        }
    }
}

QTEST_MAIN(tst_InputMethod)
#include "tst_input_method.moc"
