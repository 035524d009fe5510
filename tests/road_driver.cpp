// A random driver of the whole road: from a seed it takes pupil after pupil
// through both programs with random keys, compositions, pastes, clicks,
// window closes, prints and clock jumps, and checks the test state after
// every event. A failure prints the seed, the event index and the last
// events, enough to replay the run with --events and --trace-from.

#include "forms/Resultaten.h"
#include "forms/Werkblad.h"
#include "fakes.h"
#include "forms/frmEindscherm.h"
#include "forms/frmReeks.h"
#include "forms/sch640x480.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QAbstractScrollArea>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextLayout>
#include <QTest>

#include <array>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <random>
#include <unistd.h>

namespace {

// The engine's output is fixed by the standard; the distributions below are
// our own, so a seed gives the same run with any standard library.
class Rng {
public:
    explicit Rng(uint64_t seed) : engine_(seed) {}

    // Uniform in 0..n-1, without the modulo bias.
    uint64_t below(uint64_t n)
    {
        const uint64_t limit = UINT64_MAX - UINT64_MAX % n;
        uint64_t x;
        do
            x = engine_();
        while (x >= limit);
        return x % n;
    }
    int range(int lo, int hi) { return lo + int(below(uint64_t(hi - lo + 1))); }
    double unit() { return double(engine_() >> 11) * 0x1.0p-53; }
    bool chance(double p) { return unit() < p; }
    // An index chosen with the given weights.
    template <size_t N>
    size_t weighted(const std::array<int, N>& weights)
    {
        int total = 0;
        for (int w : weights)
            total += w;
        int r = range(0, total - 1);
        for (size_t i = 0; i < N; ++i) {
            if (r < weights[i])
                return i;
            r -= weights[i];
        }
        return N - 1;
    }
    template <typename T>
    const T& pick(const std::vector<T>& v) { return v[below(v.size())]; }

private:
    std::mt19937_64 engine_;
};

constexpr int kDay = 24 * 60 * 60;
constexpr unsigned kHangSeconds = 60;

int16_t clamp16(long long v) { return int16_t(std::clamp<long long>(v, -32768, 32767)); }

// Five-second bands from one star; anything outside 0 to 20 s gets five.
QString stars(long long t)
{
    const long long count = t < 0 || t > 20 ? 5 : t <= 5 ? 1 : (t - 1) / 5 + 1;
    return QString(qsizetype(count), u'*');
}

// The number a text spells when it is nothing but blanks and at most five
// digits: what any reading of a typed answer must agree on.
std::optional<int> plainNumber(const QString& text)
{
    QString digits;
    for (QChar c : text) {
        if (c == u' ')
            continue;
        if (c < u'0' || c > u'9')
            return std::nullopt;
        digits += c;
    }
    if (digits.isEmpty() || digits.size() > 5)
        return std::nullopt;
    return digits.toInt();
}

QString shortText(const QString& s)
{
    QString out;
    for (QChar c : s.left(24)) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || (c.unicode() >= 0x80 && c.unicode() < 0xA0) ||
            c.isSurrogate() || c.unicode() > 0x7E)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    if (s.size() > 24)
        out += QStringLiteral("...(%1 units)").arg(s.size());
    return "\"" + out + "\"";
}

const QString kLetOp = QStringLiteral("Let op!");

// Every box a handler may show.
bool knownBox(const ShownBox& b)
{
    static const std::vector<ShownBox> known{
        {"Vul een getal in!", 0, kLetOp},
        {"OK,Je bent klaar!", 0, "Gedaan!"},
        {"Vul je naam in!", 16, kLetOp},
        {"Een cijfer van 2 to 6 a.u b.", 16, kLetOp},
        {"Vul het juiste cijfer in voor je klas!", 16, kLetOp},
        {"Kijk of de printer gereed is!", 0, kLetOp},
        {"Er is geen printer gevonden. Je proef is niet afgedrukt.", 16, kLetOp},
        {"Het afdrukken is niet gelukt. Je proef is niet afgedrukt.", 16, kLetOp},
    };
    return std::find(known.begin(), known.end(), b) != known.end();
}

enum Box { Naam, Klas, Res, Credit2, Credit1, BoxCount };
const char* const kBoxNames[BoxCount] = {"txtNaam", "txtKlas", "txtRes", "Text2", "Text1"};

struct EnterBefore {
    int16_t number, correct, total;
    int32_t start;
    QString text;
    size_t boxes;
    bool resultsLoaded;
};

struct Options {
    uint64_t seed = 1;
    long long events = -1;
    double seconds = -1;
    long long traceFrom = -1;
    bool boxCounts = false;
    // Off: every composition is finished at once (to look past a known fault).
    bool pendingCompositions = true;
};

class Driver {
public:
    explicit Driver(const Options& o) : options_(o), rng_(o.seed) {}
    int run();
    // The seed, the event and the events before it, for a failure or a crash.
    void printTrail(const char* what);

private:
    // --- the program under test --------------------------------------------
    void startProgram();
    void endProgram();
    Program& P() { return *t_->program; }
    Variabelen& V() { return t_->program->Variabelen; }
    bool isPramilo() const { return programIndex_ == 0; }
    void instrument();

    // --- events ------------------------------------------------------------
    void step();
    void moveClock();
    Form* frontForm();
    void onStartScreen(sch640x480* f);
    void onPupilForm(frmReeks* f);
    void onWorksheet(Werkblad* f);
    void onResults(Resultaten* f);
    void onEndScreen(frmEindscherm* f);
    void anyEvent(Form* f);

    void pressButton(CommandButton& b);
    void click(QWidget* w);
    void closeForm(Form* f);
    void key(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers mods = {});
    void typeChar(QWidget* w, QChar c);
    void randomKeyed(QWidget* w);
    void composition(QWidget* w);
    void attributedComposition(QWidget* w);
    void navigationKey(QWidget* w);
    void paste(QWidget* w);
    void drop(QWidget* w);
    void clearText(QWidget* w);
    Box boxOf(QWidget* w);
    void count(QWidget* w);
    QString nameOf(QWidget* w);
    void traceBox(QWidget* w);

    // --- checks ------------------------------------------------------------
    void fail(const QString& what);
    void checkAfterEvent();
    void checkBox(const QLineEdit& box, const char* name);
    void checkBox(const QTextEdit& box, const char* name);
    void checkEnter(Werkblad* w, int16_t code, const EnterBefore& before);
    void checkPrint(size_t linesBefore, size_t boxesBefore, int16_t totalBefore, int16_t minutesBefore,
                    int16_t restBefore, PrintOutcome outcome);

    void log(const QString& event);

    Options options_;
    Rng rng_;
    std::unique_ptr<TestProgram> t_;
    int programIndex_ = 1;
    double clock_ = 8 * 3600;
    long long event_ = 0;
    std::deque<QString> recent_;
    QString failure_;

    // Instances already wrapped by the checks.
    QPointer<Werkblad> wrappedSheet_;
    QPointer<frmReeks> wrappedPupilForm_;
    QPointer<Resultaten> wrappedResults_;
    std::vector<QPointer<Form>> zOrder_;
    // Once shown, the series buttons stay; once hidden, START stays hidden.
    QPointer<frmReeks> buttonsShownOn_;
    QPointer<Werkblad> startHiddenOn_;

    // What the checks expect the arrays to hold, and the test each element
    // was recorded in.
    int test_ = 0;
    std::array<int, 52> lineTest_{};
    Variabelen shadow_;

    // Per screen, how many more keyed events the current pupil spends on each box.
    std::array<long long, BoxCount> quota_{};
    QPointer<frmReeks> quotaPupilForm_;
    QPointer<frmEindscherm> quotaEndScreen_;
    int quotaEndPupil_ = -1;
    int pupils_ = 0;
    QString intended_;
    int intendedFor_ = -1;
    QPointer<Werkblad> intendedOn_;

    std::array<std::array<long long, BoxCount>, 2> counts_{};
    // Of those, the input-method events that moved the cursor or selection.
    std::array<std::array<long long, BoxCount>, 2> selectionCounts_{};
    std::array<long long, 2> pupilsPerProgram_{};
    std::array<long long, 2> testsFinished_{};
    std::array<long long, 2> reportsPrinted_{};
    std::map<QString, long long> kinds_;
};

// --- the program under test ----------------------------------------------

void Driver::startProgram()
{
    programIndex_ = 1 - programIndex_;
    t_ = std::make_unique<TestProgram>(programIndex_ == 0 ? Variant::pramilo() : Variant::sudeval());
    t_->clock->set(clock_);
    shadow_ = Variabelen{};
    lineTest_.fill(0);
    test_ = 1;
    zOrder_.clear();
    log(QStringLiteral("start %1").arg(P().variant.name));
    P().start();
    QCoreApplication::processEvents();
    instrument();
}

void Driver::endProgram()
{
    t_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Wraps the handlers of freshly loaded forms so each Enter, key and print is
// checked the moment it has run.
void Driver::instrument()
{
    if (Werkblad* w = P().Werkblad.get(); w && w != wrappedSheet_) {
        wrappedSheet_ = w;
        auto original = w->txtRes.KeyPress;
        w->txtRes.KeyPress = [this, w, original](int16_t& k) {
            const int16_t code = k;
            EnterBefore before{V().ExerciseNumber, V().CorrectCount, V().TotalSeconds,
                               V().ExerciseStart, w->txtRes.Text(), t_->boxes->shown.size(),
                               P().Resultaten.isLoaded()};
            original(k);
            if (code == 13)
                checkEnter(w, k, before);
            else if (k != 0 && k != 8 && !(k >= 48 && k <= 57) && k >= 0 && k <= 256)
                fail(QStringLiteral("the answer box let code %1 through").arg(k));
        };
    }
    if (frmReeks* f = P().frmReeks.get(); f && f != wrappedPupilForm_) {
        wrappedPupilForm_ = f;
        auto name = f->txtNaam.KeyPress;
        f->txtNaam.KeyPress = [this, f, name](int16_t& k) {
            const int16_t code = k;
            const QString before = f->txtNaam.Text();
            const size_t boxes = t_->boxes->shown.size();
            name(k);
            if (V().PupilName != before)
                fail("PupilName is not the name box's text before the key: " + shortText(V().PupilName));
            const size_t shown = t_->boxes->shown.size() - boxes;
            const bool oneLetter = code == 13 && before.size() == 1;
            if (shown != (oneLetter ? 1u : 0u) ||
                (oneLetter && t_->boxes->shown.back() != ShownBox{"Vul je naam in!", 16, kLetOp}))
                fail(QStringLiteral("the name box showed %1 boxes for code %2 on %3")
                         .arg(shown).arg(code).arg(shortText(before)));
        };
        auto klas = f->txtKlas.KeyPress;
        f->txtKlas.KeyPress = [this, f, klas](int16_t& k) {
            const int16_t code = k;
            const QString before = f->txtKlas.Text();
            const size_t boxes = t_->boxes->shown.size();
            klas(k);
            const size_t shown = t_->boxes->shown.size() - boxes;
            const bool rejected = code >= 0 && code <= 256 && code != 8 && code != 13 &&
                                  !(code >= '2' && code <= '6');
            if (rejected) {
                if (shown != 1 || t_->boxes->shown.back().prompt != "Een cijfer van 2 to 6 a.u b." ||
                    !f->txtKlas.Text().isEmpty() || !V().PupilClass.isEmpty() || k != 0)
                    fail(QStringLiteral("the class box took the refused code %1").arg(code));
                return;
            }
            if (V().PupilClass != before)
                fail("PupilClass is not the class box's text before the key: " + shortText(V().PupilClass));
            if (code != 13) {
                if (shown != 0)
                    fail(QStringLiteral("the class box showed a box for code %1").arg(code));
                return;
            }
            const std::optional<int> n = plainNumber(before);
            const bool valid = n && *n >= 2 && *n <= 6;
            if (n && shown != (valid ? 0u : 1u))
                fail(QStringLiteral("the class %1 was judged wrongly").arg(shortText(before)));
            if (valid && f->cmdKies1.isHidden())
                fail("a valid class did not show the series buttons");
            if (shown > 1)
                fail("the class box showed more than one box");
        };
    }
    if (Resultaten* r = P().Resultaten.get(); r && r != wrappedResults_) {
        wrappedResults_ = r;
        // The results of the test the Load described.
        if (r->lblJuiste.Caption() != QString::number(V().CorrectCount) ||
            V().TotalMinutes * 60 + V().TotalRestSeconds != V().TotalSeconds)
            fail("the results screen does not show the test's figures");
        auto print = r->cmdAfdrukken.Click;
        r->cmdAfdrukken.Click = [this, print] {
            const PrintOutcome outcome = t_->printer->outcome;
            const size_t lines = t_->printer->lines.size();
            const size_t boxes = t_->boxes->shown.size();
            const int16_t total = V().TotalSeconds, minutes = V().TotalMinutes, rest = V().TotalRestSeconds;
            print();
            checkPrint(lines, boxes, total, minutes, rest, outcome);
        };
    }
}

// --- checks ----------------------------------------------------------------

void Driver::fail(const QString& what)
{
    if (failure_.isEmpty())
        failure_ = what;
}

void Driver::checkEnter(Werkblad* w, int16_t k, const EnterBefore& b)
{
    const auto& v = V();
    const int N = b.number;
    const size_t shown = t_->boxes->shown.size() - b.boxes;
    if (N < 1 || N > 50) {
        if (k != 0 || v.ExerciseNumber != N || shown != 0 || v.TotalSeconds != b.total)
            fail(QStringLiteral("an Enter on exercise %1 changed the test").arg(N));
        return;
    }
    const auto reading = int32_t(std::nearbyint(clock_)); // ties to even
    long long elapsed = (long long)reading - b.start;
    if (elapsed < -kDay / 2)
        elapsed += kDay;
    if (v.ExerciseEnd != reading || v.ExerciseStart != reading || v.ExerciseElapsed != elapsed)
        fail(QStringLiteral("clock readings %1/%2/%3, expected %4 and %5 seconds")
                 .arg(v.ExerciseEnd).arg(v.ExerciseStart).arg(v.ExerciseElapsed)
                 .arg(reading).arg(elapsed));
    if (v.ExerciseSeconds[N] != clamp16(elapsed) || v.TimeStars[N] != stars(elapsed) ||
        v.TotalSeconds != clamp16(b.total + elapsed))
        fail(QStringLiteral("exercise %1 timed %2 %3, total %4; expected %5 seconds on a total of %6")
                 .arg(N).arg(v.ExerciseSeconds[N]).arg(v.TimeStars[N]).arg(v.TotalSeconds)
                 .arg(elapsed).arg(b.total));
    shadow_.ExerciseSeconds[N] = v.ExerciseSeconds[N];
    shadow_.TimeStars[N] = v.TimeStars[N];

    const bool refused = shown == 1 && t_->boxes->shown.back() == ShownBox{"Vul een getal in!", 0, kLetOp};
    if (v.ExerciseNumber == N) {
        if (!refused || v.CorrectCount != b.correct)
            fail(QStringLiteral("exercise %1 neither recorded nor refused %2").arg(N).arg(shortText(b.text)));
        if (!b.text.isEmpty() && plainNumber(b.text) && *plainNumber(b.text) <= 32767)
            fail("a plain number was refused: " + shortText(b.text));
        if (!w->txtRes.Text().isEmpty())
            fail("a refused answer stayed in the box");
        return;
    }
    if (v.ExerciseNumber != N + 1 || b.text.isEmpty()) {
        fail(QStringLiteral("an Enter on exercise %1 with %2 moved to %3")
                 .arg(N).arg(shortText(b.text)).arg(v.ExerciseNumber));
        return;
    }
    const int16_t a = v.FactorA[N], bb = v.FactorB[N];
    const int16_t product = int16_t(a * bb);
    const int16_t expected = isPramilo() ? product : a;
    const QString exercise = isPramilo() ? QStringLiteral("%1 x %2").arg(a).arg(bb)
                                         : QStringLiteral("%1 : %2").arg(product).arg(bb);
    const int16_t answer = v.PupilAnswers[N];
    if (const auto plain = plainNumber(b.text); plain && *plain != answer)
        fail(QStringLiteral("%1 was read as %2").arg(shortText(b.text)).arg(answer));
    const bool right = answer == expected;
    const QString line = exercise + (right ? " = " : " = ..........") + QString::number(answer);
    if (v.ResultLines[N] != line)
        fail(QStringLiteral("result line %1 is \"%2\", expected \"%3\"").arg(N).arg(v.ResultLines[N], line));
    if (v.CorrectCount != b.correct + (right ? 1 : 0))
        fail(QStringLiteral("the count went from %1 to %2 on a %3 answer")
                 .arg(b.correct).arg(v.CorrectCount).arg(right ? "right" : "wrong"));
    if (!w->txtRes.Text().isEmpty())
        fail("a recorded answer stayed in the box");
    const bool last = v.ExerciseNumber == 51;
    if (shown != (last ? 1u : 0u) ||
        (last && (t_->boxes->shown.back() != ShownBox{"OK,Je bent klaar!", 0, "Gedaan!"} ||
                  !P().Resultaten.isLoaded() || b.resultsLoaded)))
        fail(QStringLiteral("exercise %1 ended with %2 boxes and no results").arg(N).arg(shown));
    if (w->txtOefNr.Text() != QString::number(v.ExerciseNumber) ||
        w->txtJuist.Text() != QString::number(v.CorrectCount))
        fail("the worksheet shows another exercise number or count than the test holds");
    shadow_.PupilAnswers[N] = answer;
    shadow_.ResultLines[N] = v.ResultLines[N];
    lineTest_[N] = test_;
    if (last)
        ++testsFinished_[programIndex_];
}

void Driver::checkPrint(size_t linesBefore, size_t boxesBefore, int16_t totalBefore,
                        int16_t minutesBefore, int16_t restBefore, PrintOutcome outcome)
{
    const auto& v = V();
    const auto& lines = t_->printer->lines;
    if (lines.size() - linesBefore != 60) {
        fail(QStringLiteral("the report has %1 lines").arg(lines.size() - linesBefore));
        return;
    }
    for (int i = 1; i <= 50; ++i) {
        const PrintLine expected{Tab{27}, PrintedInteger{int16_t(i)}, Tab{40}, shadow_.TimeStars[i],
                                 Tab{55}, shadow_.ResultLines[i], Tab{85},
                                 PrintedInteger{shadow_.ExerciseSeconds[i]}};
        if (lineTest_[i] != test_)
            fail(QStringLiteral("a report was printed before exercise %1 was answered").arg(i));
        else if (lines[linesBefore + 10 + i - 1].items != expected)
            fail(QStringLiteral("report line %1 is %2, expected %3")
                     .arg(10 + i).arg(describe(lines[linesBefore + 10 + i - 1].items), describe(expected)));
    }
    const PrintLine pupil = lines[linesBefore + 2].items;
    if (pupil.size() != 6 || pupil[2] != PrintItem{v.PupilName} || pupil[5] != PrintItem{v.PupilClass})
        fail("the report's name and class are not the pupil's: " + describe(pupil));
    const PrintLine times = lines[linesBefore + 5].items;
    if (times.size() < 5 || times[2] != PrintItem{PrintedInteger{minutesBefore}} ||
        times[4] != PrintItem{PrintedInteger{restBefore}})
        fail("the report's total time is not the test's: " + describe(times));
    const PrintLine score = lines[linesBefore + 4].items;
    if (score.size() < 3 || score[2] != PrintItem{PrintedInteger{v.CorrectCount}})
        fail("the report's score is not the test's: " + describe(score));
    const auto& shown = t_->boxes->shown;
    const size_t count = shown.size() - boxesBefore;
    const bool printed = outcome == PrintOutcome::Printed;
    if (count != (printed ? 1u : 2u) || shown.at(boxesBefore).prompt != "Kijk of de printer gereed is!")
        fail(QStringLiteral("printing showed %1 boxes").arg(count));
    if (printed) {
        ++reportsPrinted_[programIndex_];
        if (v.TotalSeconds != 0 || v.TotalMinutes != 0 || v.TotalRestSeconds != 0 ||
            !P().frmEindscherm.isLoaded())
            fail("a printed report left the time totals or no end screen");
    } else if (v.TotalSeconds != totalBefore) {
        fail("a report that did not print changed the time total");
    }
    t_->printer->lines.clear();
    t_->printer->calls.clear();
}

void Driver::checkAfterEvent()
{
    const auto& v = V();
    if (v.ExerciseNumber < 0 || v.ExerciseNumber > 51)
        fail(QStringLiteral("ExerciseNumber is %1").arg(v.ExerciseNumber));
    if (v.CorrectCount < 0 || v.CorrectCount > std::max(0, v.ExerciseNumber - 1))
        fail(QStringLiteral("CorrectCount %1 on exercise %2").arg(v.CorrectCount).arg(v.ExerciseNumber));
    if (P().Werkblad.isLoaded() && v.ExerciseNumber < 1)
        fail("the worksheet is loaded on exercise 0");
    if (v.ExerciseNumber == 0 &&
        (v.CorrectCount != 0 || v.TotalSeconds != 0 || v.TotalMinutes != 0 || v.TotalRestSeconds != 0))
        fail("counts or times left before a test");
    if (v.SeriesNumber < 0 || v.SeriesNumber > 5)
        fail(QStringLiteral("SeriesNumber is %1").arg(v.SeriesNumber));
    // Elements 0 and 51 are no exercise's: never written (51 of the operands is read as 0).
    for (int i : {0, 51}) {
        if (v.FactorA[i] || v.FactorB[i] || v.PupilAnswers[i] || v.ExerciseSeconds[i] ||
            !v.ResultLines[i].isEmpty() || !v.TimeStars[i].isEmpty())
            fail(QStringLiteral("element %1 of an array was written").arg(i));
    }
    if (v.SeriesNumber >= 1) {
        const SeriesTable& s = P().variant.seriesTable(v.SeriesNumber);
        for (int i = 1; i <= 50; ++i)
            if (v.FactorA[i] != s[i - 1].a || v.FactorB[i] != s[i - 1].b)
                fail(QStringLiteral("exercise %1 is not series %2's").arg(i).arg(v.SeriesNumber));
    }
    // One result line per recorded answer; nothing else touches the arrays.
    for (int i = 1; i <= 50; ++i) {
        if (v.ResultLines[i] != shadow_.ResultLines[i] || v.PupilAnswers[i] != shadow_.PupilAnswers[i] ||
            v.TimeStars[i] != shadow_.TimeStars[i] || v.ExerciseSeconds[i] != shadow_.ExerciseSeconds[i])
            fail(QStringLiteral("exercise %1 changed outside an Enter: \"%2\"").arg(i).arg(v.ResultLines[i]));
        if (i < v.ExerciseNumber && (v.ResultLines[i].isEmpty() || lineTest_[i] != test_))
            fail(QStringLiteral("exercise %1 is passed but has no answer of this test").arg(i));
        if (i >= v.ExerciseNumber && lineTest_[i] == test_)
            fail(QStringLiteral("exercise %1 is still to come but has an answer").arg(i));
    }
    if (P().Resultaten.isLoaded() &&
        (v.TotalMinutes * 60 + v.TotalRestSeconds != v.TotalSeconds || v.TotalRestSeconds < 0 ||
         v.TotalRestSeconds > 59))
        fail(QStringLiteral("the time %1 is split into %2 min. %3 sec.")
                 .arg(v.TotalSeconds).arg(v.TotalMinutes).arg(v.TotalRestSeconds));
    if (Werkblad* w = P().Werkblad.get()) {
        if (w->txtOefNr.Text() != QString::number(v.ExerciseNumber))
            fail("the worksheet shows exercise " + w->txtOefNr.Text());
        if (w->txtRes.Text().size() > 4)
            fail("the answer box holds more than four characters: " + shortText(w->txtRes.Text()));
        if (w == startHiddenOn_ && !w->cmdStart.isHidden())
            fail("START came back");
        if (w->cmdStart.isHidden())
            startHiddenOn_ = w;
    }
    if (frmReeks* f = P().frmReeks.get()) {
        CommandButton* buttons[] = {&f->cmdKies1, &f->cmdKies2, &f->cmdKies3, &f->cmdKies4, &f->cmdKies5};
        const bool shown = std::none_of(std::begin(buttons), std::end(buttons),
                                        [](CommandButton* b) { return b->isHidden(); });
        const bool hidden = std::all_of(std::begin(buttons), std::end(buttons),
                                        [](CommandButton* b) { return b->isHidden(); });
        if (!shown && !hidden)
            fail("some series buttons are shown, some not");
        if (f == buttonsShownOn_ && !shown)
            fail("the series buttons went away");
        if (shown)
            buttonsShownOn_ = f;
    }
    for (const ShownBox& b : t_->boxes->shown)
        if (!knownBox(b))
            fail("an unknown box: " + b.prompt + " / " + b.title);
    t_->boxes->shown.clear();
    if (t_->ender->ends > 1)
        fail("the program ended twice");
    if ((t_->ender->ends == 1) == P().anyFormLoaded())
        fail(t_->ender->ends ? "the program ended with a form loaded" : "no form is loaded, yet the program runs");
    if (frmReeks* f = P().frmReeks.get()) {
        checkBox(f->txtNaam, "txtNaam");
        checkBox(f->txtKlas, "txtKlas");
    }
    if (Werkblad* w = P().Werkblad.get())
        checkBox(w->txtRes, "txtRes");
    if (frmEindscherm* e = P().frmEindscherm.get()) {
        checkBox(e->Text2, "Text2");
        checkBox(e->Text1, "Text1");
    }
}

// A cursor or selection outside the text, or a composition left behind in
// another line than the cursor's, is where Qt goes on to read outside its
// layouts; caught here before it crashes.
void Driver::checkBox(const QLineEdit& box, const char* name)
{
    const int size = int(box.text().size());
    const int cursor = box.cursorPosition();
    if (cursor < 0 || cursor > size)
        fail(QStringLiteral("%1: the cursor stands at %2 in a text of %3").arg(name).arg(cursor).arg(size));
    if (box.hasSelectedText() &&
        (box.selectionStart() < 0 || box.selectionEnd() > size || box.selectionLength() < 0))
        fail(QStringLiteral("%1: the selection %2 to %3 lies outside a text of %4")
                 .arg(name).arg(box.selectionStart()).arg(box.selectionEnd()).arg(size));
}

void Driver::checkBox(const QTextEdit& box, const char* name)
{
    const QTextCursor c = box.textCursor();
    const int end = box.document()->characterCount() - 1;
    if (c.position() < 0 || c.position() > end || c.anchor() < 0 || c.anchor() > end) {
        fail(QStringLiteral("%1: the cursor stands at %2, its anchor at %3, in a document ending at %4")
                 .arg(name).arg(c.position()).arg(c.anchor()).arg(end));
        return;
    }
    const QTextBlock own = c.block();
    for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next())
        if (b != own && b.layout() && !b.layout()->preeditAreaText().isEmpty())
            fail(QStringLiteral("%1: line %2 keeps the composition %3, the cursor is in line %4")
                     .arg(name).arg(b.blockNumber()).arg(shortText(b.layout()->preeditAreaText()))
                     .arg(own.blockNumber()));
}

// --- events ----------------------------------------------------------------

void Driver::log(const QString& event)
{
    const QString line = QStringLiteral("#%1 %2").arg(event_).arg(event);
    if (options_.traceFrom >= 0 && event_ >= options_.traceFrom)
        std::printf("%s\n", qPrintable(line)), std::fflush(stdout);
    recent_.push_back(line);
    if (recent_.size() > 30)
        recent_.pop_front();
}

// The keyed box w is, or BoxCount.
Box Driver::boxOf(QWidget* w)
{
    if (frmReeks* f = P().frmReeks.get()) {
        if (w == &f->txtNaam)
            return Naam;
        if (w == &f->txtKlas)
            return Klas;
    }
    if (Werkblad* s = P().Werkblad.get(); s && w == &s->txtRes)
        return Res;
    if (frmEindscherm* e = P().frmEindscherm.get()) {
        if (w == &e->Text2)
            return Credit2;
        if (w == &e->Text1)
            return Credit1;
    }
    return BoxCount;
}

void Driver::count(QWidget* w)
{
    if (const Box b = boxOf(w); b != BoxCount)
        ++counts_[programIndex_][b];
}

QString Driver::nameOf(QWidget* w)
{
    std::vector<std::pair<QWidget*, const char*>> known;
    if (auto* f = P().sch640x480.get())
        known.insert(known.end(), {{f, "sch640x480"}, {&f->Command1, "sch640x480.Command1"},
                                   {&f->Image1, "sch640x480.Image1"}});
    if (auto* f = P().frmReeks.get())
        known.insert(known.end(), {{f, "frmReeks"}, {&f->txtNaam, "txtNaam"}, {&f->txtKlas, "txtKlas"},
                                   {&f->cmdKies1, "cmdKies1"}, {&f->cmdKies2, "cmdKies2"},
                                   {&f->cmdKies3, "cmdKies3"}, {&f->cmdKies4, "cmdKies4"},
                                   {&f->cmdKies5, "cmdKies5"}, {&f->Label1, "Label1"},
                                   {&f->Label2, "Label2"}, {&f->lblKies, "lblKies"}});
    if (auto* f = P().Werkblad.get())
        known.insert(known.end(), {{f, "Werkblad"}, {&f->txtRes, "txtRes"}, {&f->cmdStart, "cmdStart"},
                                   {&f->txtFacA, "txtFacA"}, {&f->txtFacB, "txtFacB"},
                                   {&f->txtOefNr, "txtOefNr"}, {&f->txtJuist, "txtJuist"},
                                   {&f->lblOef, "lblOef"}, {&f->lblMaal, "lblMaal"},
                                   {&f->lblAantal, "lblAantal"}, {&f->lblJuist, "lblJuist"}});
    if (auto* f = P().Resultaten.get())
        known.insert(known.end(), {{f, "Resultaten"}, {&f->cmdAfdrukken, "cmdAfdrukken"},
                                   {&f->cmdNAfdrukken, "cmdNAfdrukken"}});
    if (auto* f = P().frmEindscherm.get())
        known.insert(known.end(), {{f, "frmEindscherm"}, {&f->Text1, "Text1"}, {&f->Text2, "Text2"},
                                   {&f->Command1, "Command1"}, {&f->Command2, "Command2"},
                                   {&f->Image1, "frmEindscherm.Image1"}});
    for (const auto& [widget, name] : known)
        if (widget == w)
            return QString::fromLatin1(name);
    return w ? QString::fromLatin1(w->metaObject()->className()) : QStringLiteral("(none)");
}

void Driver::key(QWidget* w, int k, const QString& text, Qt::KeyboardModifiers mods)
{
    log(QStringLiteral("key %1 text %2 mods %3 -> %4")
            .arg(k, 0, 16).arg(shortText(text)).arg(int(mods), 0, 16).arg(nameOf(w)));
    count(w);
    traceBox(w);
    QKeyEvent press(QEvent::KeyPress, k, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, mods, text);
    QApplication::sendEvent(w, &release);
}

// While tracing: the box as the event finds it.
void Driver::traceBox(QWidget* w)
{
    if (options_.traceFrom >= 0 && event_ >= options_.traceFrom) {
        if (auto* edit = qobject_cast<QTextEdit*>(w)) {
            std::printf("    text %s, cursor %d of %d, anchor %d\n", qPrintable(shortText(edit->toPlainText())),
                        edit->textCursor().position(), edit->document()->characterCount(),
                        edit->textCursor().anchor());
            // A composition Qt still draws somewhere in the box.
            for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next())
                if (b.layout() && !b.layout()->preeditAreaText().isEmpty())
                    std::printf("    line %d (from %d, %d long) shows the composition %s at %d\n",
                                b.blockNumber(), b.position(), b.length(),
                                qPrintable(shortText(b.layout()->preeditAreaText())),
                                b.layout()->preeditAreaPosition());
        } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
            std::printf("    text %s, cursor %d, selection from %d\n", qPrintable(shortText(line->text())),
                        line->cursorPosition(), line->selectionStart());
        }
    }
}

void Driver::typeChar(QWidget* w, QChar c)
{
    int k = 0;
    if (c >= u'0' && c <= u'9')
        k = Qt::Key_0 + (c.unicode() - '0');
    else if (c >= u'a' && c <= u'z')
        k = Qt::Key_A + (c.unicode() - 'a');
    else if (c >= u'A' && c <= u'Z')
        k = Qt::Key_A + (c.unicode() - 'A');
    else if (c == u' ')
        k = Qt::Key_Space;
    key(w, k, QString(c));
}

void Driver::randomKeyed(QWidget* w)
{
    static const std::vector<std::pair<int, QString>> named{
        {Qt::Key_Return, "\r"}, {Qt::Key_Enter, "\r"}, {Qt::Key_Backspace, "\b"},
        {Qt::Key_Escape, "\x1b"}, {Qt::Key_Tab, "\t"}, {Qt::Key_Backtab, ""},
        {Qt::Key_Left, ""}, {Qt::Key_Right, ""}, {Qt::Key_Up, ""}, {Qt::Key_Down, ""},
        {Qt::Key_Home, ""}, {Qt::Key_End, ""}, {Qt::Key_Delete, "\x7f"}, {Qt::Key_Insert, ""},
        {Qt::Key_PageUp, ""}, {Qt::Key_PageDown, ""}, {Qt::Key_F1, ""}, {Qt::Key_F4, ""},
        {Qt::Key_Space, " "}};
    static const std::vector<QString> foreign{
        QStringLiteral("\u00E9"), QStringLiteral("\u00FC"), QStringLiteral("\u00DF"), QStringLiteral("\u20AC"), QStringLiteral("\u4E2D"), QStringLiteral("\uFF13"),
        QStringLiteral("\u0663"), QStringLiteral("\u00BD"), QStringLiteral("\u0301"), QStringLiteral("\u00A0"), QStringLiteral("\uFEFF"), QStringLiteral("\u2028"),
        QStringLiteral("\U0001F600"), QStringLiteral("\u00B2"), QStringLiteral("\u0100"), QStringLiteral("\u0101"), QStringLiteral("\u00FF")};
    switch (rng_.weighted(std::array<int, 11>{20, 12, 14, 8, 12, 12, 14, 8, 12, 8, 3})) {
    case 0: { // any 16-bit unit as the typed text
        const auto unit = char16_t(rng_.below(0x10000));
        key(w, 0, QString(QChar(unit)));
        kinds_["16-bit unit"]++;
        break;
    }
    case 1: { // a control character, plain or as Ctrl+letter
        const int c = rng_.range(0, 31);
        if (c >= 1 && c <= 26 && rng_.chance(0.5))
            key(w, Qt::Key_A + c - 1, QString(QChar(c)), Qt::ControlModifier);
        else
            key(w, 0, QString(QChar(c)));
        kinds_["control character"]++;
        break;
    }
    case 2: {
        const auto& [k, text] = rng_.pick(named);
        key(w, k, text, rng_.chance(0.1) ? Qt::ShiftModifier : Qt::NoModifier);
        kinds_["named key"]++;
        break;
    }
    case 3: {
        const int letter = rng_.range(0, 25);
        key(w, Qt::Key_A + letter, QString(QChar(letter + 1)), Qt::ControlModifier);
        kinds_["Ctrl+letter"]++;
        break;
    }
    case 4:
        key(w, 0, rng_.pick(foreign));
        kinds_["non-ASCII"]++;
        break;
    case 5:
        composition(w);
        break;
    case 6:
        paste(w);
        break;
    case 7:
        typeChar(w, QChar(rng_.chance(0.5) ? u'0' + rng_.range(0, 9) : u'a' + rng_.range(0, 25)));
        kinds_["digit or letter"]++;
        break;
    case 8:
        attributedComposition(w);
        break;
    case 9:
        navigationKey(w);
        break;
    default:
        drop(w);
        break;
    }
}

// Keys that move the cursor or the selection without typing.
void Driver::navigationKey(QWidget* w)
{
    static const std::vector<int> keys{Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Up,   Qt::Key_Down,
                                       Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Home, Qt::Key_End};
    if (rng_.chance(0.15)) {
        key(w, Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier);
    } else {
        const size_t m = rng_.weighted(std::array<int, 3>{6, 3, 1});
        key(w, rng_.pick(keys), QString(),
            m == 0 ? Qt::NoModifier : m == 1 ? Qt::ShiftModifier : Qt::ControlModifier);
    }
    kinds_["navigation key"]++;
}

void Driver::composition(QWidget* w)
{
    static const std::vector<QString> commits{
        "2", "5", "24", "e", QStringLiteral("\u00E9"), "12\r", "3\r4", "\r", "99999", "-7", " ", QStringLiteral("\u00E9-x24"),
        QString(QChar(0)), "\b", "ab", QStringLiteral("\uFF15"), "4\n"};
    static const std::vector<QString> preedits{"^", "`", "'", "~", "n", QStringLiteral("\u00B4"), "12", "ka"};
    const QString preedit = rng_.pick(preedits);
    const QString commit = rng_.pick(commits);
    // An input method writes only into boxes that take its text: not into a
    // read-only box, nor a button.
    if (!w->testAttribute(Qt::WA_InputMethodEnabled) || !w->inputMethodQuery(Qt::ImEnabled).toBool()) {
        key(w, 0, commit);
        return;
    }
    count(w);
    int kind = rng_.range(0, 3);
    if (kind == 0 && !options_.pendingCompositions)
        kind = 2;
    switch (kind) {
    case 0: { // preedit only: the composition goes on, or stays pending
        QList<QInputMethodEvent::Attribute> attrs{
            {QInputMethodEvent::Cursor, int(preedit.size()), 1, QVariant()}};
        QInputMethodEvent e(preedit, attrs);
        log("preedit " + shortText(preedit) + " -> " + nameOf(w));
        QApplication::sendEvent(w, &e);
        kinds_["preedit left pending"]++;
        break;
    }
    case 1: {
        QInputMethodEvent e;
        e.setCommitString(commit);
        log("commit " + shortText(commit) + " -> " + nameOf(w));
        QApplication::sendEvent(w, &e);
        kinds_["commit"]++;
        break;
    }
    case 2: {
        log("preedit " + shortText(preedit) + " then commit " + shortText(commit) + " -> " +
            nameOf(w));
        QInputMethodEvent first(preedit, {});
        QApplication::sendEvent(w, &first);
        QInputMethodEvent second;
        second.setCommitString(commit);
        QApplication::sendEvent(w, &second);
        kinds_["preedit then commit"]++;
        break;
    }
    default: { // a commit that replaces part of the text around the cursor
        QInputMethodEvent e;
        e.setCommitString(commit, -rng_.range(0, 2), rng_.range(0, 3));
        log("commit " + shortText(commit) + " replacing -> " + nameOf(w));
        QApplication::sendEvent(w, &e);
        kinds_["commit with replacement"]++;
        break;
    }
    }
}

// An input-method event as the platforms send them: a preedit, a commit and a
// replacement range together with Selection, Cursor and TextFormat attributes,
// at places inside and well outside the text, sometimes while a composition
// is pending. Wayland's text input, for one, ends a composition with an
// empty commit while it moves the cursor.
void Driver::attributedComposition(QWidget* w)
{
    static const std::vector<QString> preedits{"^", "`", "n", QStringLiteral("\u3131"), "12", "ka",
                                               QStringLiteral("\u3131\u314F")};
    static const std::vector<QString> commits{"2", "e", QStringLiteral("\u010D"), "12\r", "\r", "4\n", "ab", " "};
    if (!w->testAttribute(Qt::WA_InputMethodEnabled) || !w->inputMethodQuery(Qt::ImEnabled).toBool())
        return composition(w);
    count(w);
    const auto* line = qobject_cast<QLineEdit*>(w);
    const auto* edit = qobject_cast<QTextEdit*>(w);
    // Qt counts a line edit's selection from its text's start, a text edit's
    // from the start of the cursor's line.
    const int size = line ? int(line->text().size()) : edit ? edit->textCursor().block().length() : 0;
    const int cursor = line ? line->cursorPosition()
                            : edit ? edit->textCursor().positionInBlock() : 0;
    auto place = [&] {
        switch (rng_.range(0, 4)) {
        case 0: return -rng_.range(1, 8);
        case 1: return 0;
        case 2: return rng_.range(0, size);
        case 3: return cursor + rng_.range(-3, 3);
        default: return size + rng_.range(1, 8);
        }
    };
    // Drawn whatever the options, so that a seed takes the same road with them.
    QString pending = rng_.chance(0.4) ? rng_.pick(preedits) : QString();
    QString preedit = rng_.chance(0.5) ? rng_.pick(preedits) : QString();
    if (!options_.pendingCompositions)
        pending = preedit = QString();
    const QString commit = rng_.chance(0.4) ? rng_.pick(commits) : QString();
    QList<QInputMethodEvent::Attribute> attrs;
    QStringList described;
    bool movesSelection = false;
    for (int n = rng_.range(1, 3); n > 0; --n) {
        switch (rng_.weighted(std::array<int, 3>{50, 30, 20})) {
        case 0: {
            const int start = place();
            const int length = rng_.chance(0.3) ? 0 : rng_.chance(0.7) ? rng_.range(1, 3) : rng_.range(-4, size + 4);
            attrs.append({QInputMethodEvent::Selection, start, length, QVariant()});
            described << QStringLiteral("selection %1+%2").arg(start).arg(length);
            movesSelection = true;
            break;
        }
        case 1: {
            const int start = rng_.range(-2, int(preedit.size()) + 2);
            const int length = rng_.range(0, 1);
            attrs.append({QInputMethodEvent::Cursor, start, length, QVariant()});
            described << QStringLiteral("cursor %1+%2").arg(start).arg(length);
            break;
        }
        default: {
            const int start = rng_.range(-2, int(preedit.size()) + 1);
            const int length = rng_.range(-1, int(preedit.size()) + 2);
            QTextCharFormat underlined;
            underlined.setUnderlineStyle(QTextCharFormat::SingleUnderline);
            attrs.append({QInputMethodEvent::TextFormat, start, length, QVariant(underlined)});
            described << QStringLiteral("format %1+%2").arg(start).arg(length);
            break;
        }
        }
    }
    QInputMethodEvent e(preedit, attrs);
    QString replacing;
    if (!commit.isEmpty() || rng_.chance(0.2)) {
        const int from = rng_.chance(0.7) ? 0 : -rng_.range(1, 3);
        const int length = rng_.chance(0.7) ? 0 : rng_.range(1, 3);
        e.setCommitString(commit, from, length);
        if (length)
            replacing = QStringLiteral(" replacing %1+%2").arg(from).arg(length);
    }
    log(QStringLiteral("%1input method preedit %2 commit %3%4 [%5] -> %6")
            .arg(pending.isEmpty() ? QString() : "preedit " + shortText(pending) + " pending, then ")
            .arg(shortText(preedit), shortText(commit), replacing, described.join(", "), nameOf(w)));
    if (!pending.isEmpty()) {
        QInputMethodEvent first(pending, {{QInputMethodEvent::Cursor, int(pending.size()), 1, QVariant()}});
        traceBox(w);
        QApplication::sendEvent(w, &first);
    }
    traceBox(w);
    if (movesSelection)
        if (const Box b = boxOf(w); b != BoxCount)
            ++selectionCounts_[programIndex_][b];
    QApplication::sendEvent(w, &e);
    kinds_[movesSelection ? "input method, selection" : "input method, attributes"]++;
}

void Driver::paste(QWidget* w)
{
    static const std::vector<QString> texts = [] {
        std::vector<QString> v{"99999", "-40000", "   ", QString(QChar(0)), "24", "7", "0035", "35",
                               "1234567890", "12\n34", QStringLiteral("\u00E9"), "3.5", "2,5", "1E9", "&H7FFF",
                               "\t5", "-5", "", "32767", "-32768", "32768", "4", " 3", "Lotte",
                               "6\r", QString(QChar(0)) + "5"};
        QString longText;
        for (int i = 0; i < 3000; ++i)
            longText += QChar(u'a' + i % 26);
        v.push_back(longText);
        v.push_back(QString(2000, u'9'));
        v.push_back(QString(500, u' '));
        return v;
    }();
    const QString text = rng_.pick(texts);
    QApplication::clipboard()->setText(text);
    switch (rng_.range(0, 2)) {
    case 0:
        log("clipboard " + shortText(text) + ", Ctrl+V");
        key(w, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
        break;
    case 1:
        log("clipboard " + shortText(text) + ", Shift+Insert");
        key(w, Qt::Key_Insert, QString(), Qt::ShiftModifier);
        break;
    default: {
        log("clipboard " + shortText(text) + ", context menu Paste -> " + nameOf(w));
        count(w);
        // The right click that opens the menu reaches the box first.
        const QPoint at(w->width() / 2, w->height() / 2);
        QWidget* target = qobject_cast<QAbstractScrollArea*>(w) ? static_cast<QAbstractScrollArea*>(w)->viewport() : w;
        QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::RightButton,
                          Qt::RightButton, {});
        QApplication::sendEvent(target, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::RightButton,
                            Qt::NoButton, {});
        QApplication::sendEvent(target, &release);
        std::unique_ptr<QMenu> menu;
        if (auto* line = qobject_cast<QLineEdit*>(w))
            menu.reset(line->createStandardContextMenu());
        else if (auto* edit = qobject_cast<QTextEdit*>(w))
            menu.reset(edit->createStandardContextMenu());
        if (menu)
            for (QAction* a : menu->actions())
                if (a->objectName() == QLatin1String("edit-paste") && a->isEnabled())
                    a->trigger();
        break;
    }
    }
    kinds_["paste"]++;
}

// Text dragged in from another program and dropped on the box.
void Driver::drop(QWidget* w)
{
    static const std::vector<QString> texts{"7", "24", "ab\ncd\n", QStringLiteral("\u3131"), "", " 3", "99999"};
    auto* area = qobject_cast<QAbstractScrollArea*>(w);
    QWidget* target = area ? area->viewport() : w;
    if (!target->acceptDrops())
        return navigationKey(w);
    const QString text = rng_.pick(texts);
    const QPoint at(rng_.range(0, std::max(0, w->width() - 1)), rng_.range(0, std::max(0, w->height() - 1)));
    log(QStringLiteral("drop %1 at %2,%3 -> %4").arg(shortText(text)).arg(at.x()).arg(at.y()).arg(nameOf(w)));
    count(w);
    traceBox(w);
    QMimeData data;
    data.setText(text);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &move);
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &dropped);
    kinds_["drop"]++;
}

void Driver::clearText(QWidget* w)
{
    log("select all and erase -> " + nameOf(w));
    // Ctrl+A is a code of its own to a box with a key rule: the user drags instead.
    if (auto* line = qobject_cast<QLineEdit*>(w))
        line->selectAll();
    else if (auto* edit = qobject_cast<QTextEdit*>(w))
        edit->selectAll();
    key(w, Qt::Key_Backspace, QStringLiteral("\b"));
}

void Driver::click(QWidget* w)
{
    const QPoint at(rng_.range(0, std::max(0, w->width() - 1)), rng_.range(0, std::max(0, w->height() - 1)));
    log(QStringLiteral("click %1 at %2,%3").arg(nameOf(w)).arg(at.x()).arg(at.y()));
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
    kinds_["click"]++;
}

void Driver::pressButton(CommandButton& b)
{
    if (!b.isVisible())
        return;
    switch (rng_.weighted(std::array<int, 3>{70, 20, 10})) {
    case 0:
        log("click " + nameOf(&b));
        QTest::mouseClick(&b, Qt::LeftButton);
        kinds_["click"]++;
        break;
    case 1:
        key(&b, Qt::Key_Return, QStringLiteral("\r"));
        break;
    default:
        key(&b, Qt::Key_Space, QStringLiteral(" "));
        break;
    }
}

void Driver::closeForm(Form* f)
{
    log("window manager closes " + nameOf(f));
    f->close();
    kinds_["window close"]++;
}

void Driver::moveClock()
{
    double next = clock_;
    switch (rng_.weighted(std::array<int, 7>{600, 300, 60, 6, 4, 8, 22})) {
    case 0: return;
    case 1: next += rng_.unit() * 3; break;
    case 2: next += 3 + rng_.unit() * 25; break;
    case 3: next += 1000 + rng_.unit() * 40000; break;                 // a very slow pupil
    case 4: next = kDay - rng_.unit() * 10; break;                     // just before midnight
    case 5: next -= rng_.range(1, 5) + rng_.unit(); break;             // the clock set back a little
    default: next = std::floor(next) + 0.5 * rng_.range(0, 1); break;  // a reading on the half second
    }
    if (next >= kDay)
        next -= kDay;
    if (next < 0)
        next += kDay;
    clock_ = next;
    t_->clock->set(clock_);
    log(QStringLiteral("clock %1").arg(clock_, 0, 'f', 3));
}

Form* Driver::frontForm()
{
    const std::array<Form*, 5> forms{P().sch640x480.get(), P().frmReeks.get(), P().Werkblad.get(),
                                     P().Resultaten.get(), P().frmEindscherm.get()};
    auto ours = [&](QWidget* w) { return std::find(forms.begin(), forms.end(), w) != forms.end(); };
    // Track which forms stand in front: the active one, else the last shown.
    std::erase_if(zOrder_, [&](const QPointer<Form>& f) { return !f || !ours(f) || !f->isVisible(); });
    for (Form* f : forms)
        if (f && f->isVisible() && std::find(zOrder_.begin(), zOrder_.end(), f) == zOrder_.end())
            zOrder_.push_back(f);
    if (QWidget* active = QApplication::activeWindow(); active && ours(active) && active->isVisible()) {
        std::erase(zOrder_, static_cast<Form*>(active));
        zOrder_.push_back(static_cast<Form*>(active));
    }
    if (zOrder_.empty())
        return nullptr;
    if (zOrder_.size() > 1 && rng_.chance(0.0002)) {
        // The user brings another window to the front.
        Form* f = zOrder_[rng_.below(zOrder_.size() - 1)];
        log("bring to front " + nameOf(f));
        f->activateWindow();
        std::erase(zOrder_, f);
        zOrder_.push_back(f);
        kinds_["bring to front"]++;
    }
    return zOrder_.back();
}

void Driver::anyEvent(Form* f)
{
    QList<QWidget*> controls;
    for (QWidget* w : f->client()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisible())
            controls << w;
    switch (rng_.weighted(std::array<int, 4>{40, 40, 15, 1})) {
    case 0:
        if (!controls.isEmpty())
            click(controls[int(rng_.below(controls.size()))]);
        break;
    case 1: {
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != f)
            target = controls.isEmpty() ? f : controls[int(rng_.below(controls.size()))];
        randomKeyed(target);
        break;
    }
    case 2:
        click(f);
        break;
    default:
        closeForm(f);
        break;
    }
}

void Driver::onStartScreen(sch640x480* f)
{
    switch (rng_.weighted(std::array<int, 4>{80, 8, 10, 1})) {
    case 0: pressButton(f->Command1); break;
    case 1: click(&f->Image1); break;
    case 2: anyEvent(f); break;
    default: closeForm(f); break;
    }
}

// A pupil spends about as many keys on each box as a test takes in the
// answer box, so every box gets its share of the events.
void Driver::onPupilForm(frmReeks* f)
{
    auto& c = counts_[programIndex_];
    if (f != quotaPupilForm_) {
        quotaPupilForm_ = f;
        ++pupils_;
        ++pupilsPerProgram_[programIndex_];
        for (Box b : {Naam, Klas})
            quota_[b] = std::clamp<long long>(c[Res] - c[b], 0, 3000) + rng_.range(10, 200);
    }
    if (rng_.chance(0.005))
        return anyEvent(f);
    if (rng_.chance(0.0005))
        return closeForm(f);
    TextBox& name = f->txtNaam;
    TextBox& klas = f->txtKlas;
    if (quota_[Naam] > 0 && (quota_[Klas] == 0 || rng_.chance(0.8))) {
        --quota_[Naam];
        const QString text = name.Text();
        if (text.size() > 40 && rng_.chance(0.3))
            return clearText(&name);
        switch (rng_.weighted(std::array<int, 5>{55, 12, 4, 24, 5})) {
        case 0: return typeChar(&name, QChar(u'a' + rng_.range(0, 25)));
        case 1: return key(&name, Qt::Key_Backspace, QStringLiteral("\b"));
        case 2: return key(&name, Qt::Key_Return, QStringLiteral("\r"));
        case 3: return randomKeyed(&name);
        default: return click(&name);
        }
    }
    if (quota_[Klas] > 0) {
        --quota_[Klas];
        switch (rng_.weighted(std::array<int, 6>{40, 15, 4, 20, 8, 5})) {
        case 0: return typeChar(&klas, QChar(u'0' + rng_.range(2, 6)));
        case 1: return key(&klas, Qt::Key_Backspace, QStringLiteral("\b"));
        case 2: return key(&klas, Qt::Key_Return, QStringLiteral("\r"));
        case 3: return randomKeyed(&klas);
        case 4: return typeChar(&klas, QChar(u'0' + rng_.range(0, 9)));
        default: return click(&klas);
        }
    }
    // The quotas are spent: the pupil gets on with a name, a class and a series.
    if (!f->cmdKies1.isHidden()) {
        CommandButton* buttons[] = {&f->cmdKies1, &f->cmdKies2, &f->cmdKies3, &f->cmdKies4, &f->cmdKies5};
        return pressButton(*buttons[rng_.below(5)]);
    }
    if (name.Text().size() < 2 && rng_.chance(0.7))
        return typeChar(&name, QChar(u'A' + rng_.range(0, 25)));
    if (name.Text().size() >= 2 && rng_.chance(0.2))
        return key(&name, Qt::Key_Return, QStringLiteral("\r"));
    const std::optional<int> n = plainNumber(klas.Text());
    if (n && *n >= 2 && *n <= 6)
        return key(&klas, Qt::Key_Return, QStringLiteral("\r"));
    if (klas.Text().isEmpty() || klas.Text() == QLatin1String(" "))
        return typeChar(&klas, QChar(u'0' + rng_.range(2, 6)));
    return key(&klas, Qt::Key_Backspace, QStringLiteral("\b"));
}

void Driver::onWorksheet(Werkblad* f)
{
    if (rng_.chance(0.0005))
        return closeForm(f);
    if (f->cmdStart.isVisible()) {
        if (rng_.chance(0.9))
            return pressButton(f->cmdStart);
        return anyEvent(f);
    }
    if (!f->txtRes.isVisible() || rng_.chance(0.03))
        return anyEvent(f);
    TextBox& box = f->txtRes;
    const auto& v = V();
    const int N = v.ExerciseNumber;
    if ((N != intendedFor_ || f != intendedOn_) && N >= 1 && N <= 50) {
        // Mostly the right answer, sometimes a wrong one or a leading zero.
        intendedFor_ = N;
        intendedOn_ = f;
        const int16_t a = v.FactorA[N], b = v.FactorB[N];
        const int expected = isPramilo() ? a * b : a;
        switch (rng_.weighted(std::array<int, 4>{70, 20, 5, 5})) {
        case 0: intended_ = QString::number(expected); break;
        case 1: intended_ = QString::number(rng_.range(0, 120)); break;
        case 2: intended_ = "0" + QString::number(expected); break;
        default: intended_ = QString(); break; // an empty box
        }
    }
    if (rng_.chance(0.25)) {
        if (rng_.chance(0.1))
            return click(&box);
        return randomKeyed(&box);
    }
    QString typed = box.Text();
    typed.remove(u' ');
    if (typed == intended_ && (intended_.size() > 0 || box.Text().isEmpty()))
        return key(&box, rng_.chance(0.8) ? Qt::Key_Return : Qt::Key_Enter, QStringLiteral("\r"));
    if (intended_.startsWith(typed) && typed.size() < intended_.size()) {
        if (box.Text().size() >= 4)
            return clearText(&box); // the design blank leaves no room
        return typeChar(&box, intended_.at(typed.size()));
    }
    // Something else stands in the box: go to its end and erase.
    if (box.cursorPosition() != box.Text().size())
        return key(&box, Qt::Key_End, QString());
    if (rng_.chance(0.2))
        return clearText(&box);
    return key(&box, Qt::Key_Backspace, QStringLiteral("\b"));
}

void Driver::onResults(Resultaten* f)
{
    switch (rng_.weighted(std::array<int, 4>{45, 45, 8, 1})) {
    case 0: {
        const size_t o = rng_.weighted(std::array<int, 3>{70, 15, 15});
        t_->printer->outcome = o == 0 ? PrintOutcome::Printed : o == 1 ? PrintOutcome::NoPrinter : PrintOutcome::Failed;
        log(QStringLiteral("the printer will answer %1").arg(o == 0 ? "printed" : o == 1 ? "no printer" : "failed"));
        return pressButton(f->cmdAfdrukken);
    }
    case 1: return pressButton(f->cmdNAfdrukken);
    case 2: return anyEvent(f);
    default: return closeForm(f);
    }
}

void Driver::onEndScreen(frmEindscherm* f)
{
    auto& c = counts_[programIndex_];
    if (f != quotaEndScreen_ || quotaEndPupil_ != pupils_) {
        quotaEndScreen_ = f;
        quotaEndPupil_ = pupils_;
        for (Box b : {Credit2, Credit1})
            quota_[b] = std::clamp<long long>(c[Res] - c[b], 0, 3000) + rng_.range(10, 200);
    }
    if (rng_.chance(0.003))
        return anyEvent(f);
    if (quota_[Credit2] > 0 || quota_[Credit1] > 0) {
        const Box b = quota_[Credit1] == 0 ? Credit2
                      : quota_[Credit2] == 0 ? Credit1
                      : rng_.chance(0.5)      ? Credit2
                                              : Credit1;
        --quota_[b];
        MultiLineTextBox& box = b == Credit2 ? f->Text2 : f->Text1;
        if (box.Text().size() > 400 && rng_.chance(0.3))
            return clearText(&box);
        switch (rng_.weighted(std::array<int, 5>{50, 12, 6, 27, 5})) {
        case 0: return typeChar(&box, QChar(rng_.chance(0.8) ? u'a' + rng_.range(0, 25) : u' '));
        case 1: return key(&box, Qt::Key_Backspace, QStringLiteral("\b"));
        case 2: return key(&box, Qt::Key_Return, QStringLiteral("\r"));
        case 3: return randomKeyed(&box);
        default: return click(&box);
        }
    }
    if (rng_.chance(0.9))
        return pressButton(f->Command2);
    return pressButton(f->Command1);
}

void Driver::step()
{
    moveClock();
    Form* f = frontForm();
    if (!f)
        return fail("no form stands in front, yet the program runs");
    if (V().ExerciseNumber > 50 && !P().Resultaten.isLoaded() && !P().frmEindscherm.isLoaded() &&
        rng_.chance(0.05)) {
        // A finished test whose results window was closed: only closing the
        // windows leads on.
        return closeForm(f);
    }
    if (f == P().sch640x480.get())
        onStartScreen(static_cast<sch640x480*>(f));
    else if (f == P().frmReeks.get())
        onPupilForm(static_cast<frmReeks*>(f));
    else if (f == P().Werkblad.get())
        onWorksheet(static_cast<Werkblad*>(f));
    else if (f == P().Resultaten.get())
        onResults(static_cast<Resultaten*>(f));
    else
        onEndScreen(static_cast<frmEindscherm*>(f));
}

void Driver::printTrail(const char* what)
{
    std::printf("FAILURE at event %lld of seed %llu: %s\n", event_, (unsigned long long)options_.seed, what);
    if (t_)
        std::printf("state: %s, exercise %d, %d right, total %d s, clock %s\n",
                    qPrintable(P().variant.name), V().ExerciseNumber, V().CorrectCount,
                    V().TotalSeconds, qPrintable(QString::number(clock_, 'f', 3)));
    std::printf("last events:\n");
    for (const QString& e : recent_)
        std::printf("  %s\n", qPrintable(e));
    std::printf("replay: road_driver --seed %llu --events %lld --trace-from %lld%s\n",
                (unsigned long long)options_.seed, event_, std::max(0LL, event_ - 30),
                options_.pendingCompositions ? "" : " --no-pending-compositions");
    std::fflush(stdout);
}

int Driver::run()
{
    QElapsedTimer timer;
    timer.start();
    startProgram();
    for (event_ = 1;; ++event_) {
        if (options_.events >= 0 && event_ > options_.events)
            break;
        if (options_.seconds >= 0 && timer.elapsed() > options_.seconds * 1000)
            break;
        // An event takes milliseconds; one that runs on has hung in a layout.
        alarm(kHangSeconds);
        const int16_t numberBefore = V().ExerciseNumber;
        step();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (numberBefore != 0 && V().ExerciseNumber == 0)
            ++test_; // the next candidate's test begins
        if (failure_.isEmpty())
            checkAfterEvent();
        if (!failure_.isEmpty()) {
            printTrail(qPrintable(failure_));
            return 1;
        }
        if (t_->ender->ends) {
            log("the program has ended");
            endProgram();
            startProgram();
        } else {
            instrument();
        }
    }
    alarm(0);
    const double seconds = timer.elapsed() / 1000.0;
    const long long events = event_ - 1;
    // Figures with a point whatever the locale, like every figure of the suite.
    std::printf("seed %llu: %lld events in %s s (%s events/s), no failure\n",
                (unsigned long long)options_.seed, events, qPrintable(QString::number(seconds, 'f', 1)),
                qPrintable(QString::number(events / std::max(seconds, 1e-9), 'f', 0)));
    if (options_.boxCounts) {
        for (int p = 0; p < 2; ++p) {
            std::printf("%s: %lld pupils, %lld tests finished, %lld reports printed\n",
                        p == 0 ? "Pramilo" : "Sudeval", pupilsPerProgram_[p], testsFinished_[p],
                        reportsPrinted_[p]);
            for (int b = 0; b < BoxCount; ++b)
                std::printf("  %-8s %lld, %lld input-method selections\n", kBoxNames[b], counts_[p][b],
                            selectionCounts_[p][b]);
        }
        std::printf("event kinds:\n");
        for (const auto& [kind, n] : kinds_)
            std::printf("  %-24s %lld\n", qPrintable(kind), n);
    }
    // Said before the leak checker has its turn at exit.
    std::fflush(stdout);
    endProgram();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Qt's own complaints (fonts without a script, the platform's limits)
    // would bury the driver's report.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(message));
            std::abort();
        }
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Options o;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--seed" && hasValue)
            o.seed = std::strtoull(argv[++i], nullptr, 10);
        else if (a == "--events" && hasValue)
            o.events = std::strtoll(argv[++i], nullptr, 10);
        else if (a == "--seconds" && hasValue)
            o.seconds = std::strtod(argv[++i], nullptr);
        else if (a == "--trace-from" && hasValue)
            o.traceFrom = std::strtoll(argv[++i], nullptr, 10);
        else if (a == "--no-pending-compositions")
            o.pendingCompositions = false;
        else if (a == "--box-counts")
            o.boxCounts = true;
        else {
            std::fprintf(stderr,
                         "usage: road_driver [--seed N] [--events N] [--seconds S] [--box-counts]\n"
                         "                   [--trace-from N]  (print every event from index N on)\n"
                         "                   [--no-pending-compositions]\n"
                         "Without --events or --seconds it runs 10000 events.\n");
            return 2;
        }
    }
    if (o.events < 0 && o.seconds < 0)
        o.events = 10000;
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Driver driver(o);
    // A crash is a failure too: say where it happened, then let the signal's
    // earlier handler (the sanitizer's, or the default) do the rest.
    static Driver* crashed = &driver;
    static struct sigaction previous[32];
    for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGALRM}) {
        struct sigaction action {};
        action.sa_handler = [](int sig) {
            sigaction(sig, &previous[sig], nullptr);
            if (Driver* d = std::exchange(crashed, nullptr))
                d->printTrail(sig == SIGABRT   ? "the program aborted"
                              : sig == SIGALRM ? "an event has run for a minute: the program hangs"
                                               : "the program crashed");
            raise(sig);
        };
        sigemptyset(&action.sa_mask);
        sigaction(sig, &action, &previous[sig]);
    }
    return driver.run();
}
