#include "fakes.h"
#include "forms/frmEindscherm.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

// Cases the random driver of the whole road found.
class tst_RoadDriverFindings : public QObject {
    Q_OBJECT
private slots:
    void init() { t = std::make_unique<TestProgram>(Variant::pramilo()); }
    void cleanup() { t.reset(); }

    void aCommittedLineBreakEndsTheComposition();
    void aKeyEndsACreditBoxsComposition();

private:
    std::unique_ptr<TestProgram> t;
};

void tst_RoadDriverFindings::aCommittedLineBreakEndsTheComposition()
{
    t->program->frmEindscherm.Show();
    MultiLineTextBox& box = t->program->frmEindscherm.get()->Text1;
    box.moveCursor(QTextCursor::End);
    QTest::keyClicks(&box, QStringLiteral("ab"));
    QInputMethodEvent composing(QStringLiteral("`"), {});
    QApplication::sendEvent(&box, &composing);
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("12\r"));
    QApplication::sendEvent(&box, &committed);
    // No line keeps the composition once the input method has committed.
    for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next())
        QCOMPARE(b.layout()->preeditAreaText(), QString());
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_Down);
    QTest::keyClick(&box, Qt::Key_P);
    QVERIFY(box.Text().endsWith(QStringLiteral("ab12p")));
}

void tst_RoadDriverFindings::aKeyEndsACreditBoxsComposition()
{
    t->program->frmEindscherm.Show();
    // The name box's large letters: there Qt read past the line's end.
    MultiLineTextBox& box = t->program->frmEindscherm.get()->Text2;
    box.moveCursor(QTextCursor::End);
    QTest::keyClicks(&box, QString(40, u'a'));
    QInputMethodEvent pending(QStringLiteral("`"), {});
    QApplication::sendEvent(&box, &pending);
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier); // select all
    for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next())
        QCOMPARE(b.layout()->preeditAreaText(), QString());
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_P);
    QTest::keyClick(&box, Qt::Key_PageDown);
    QTest::keyClick(&box, Qt::Key_Q);
    QCOMPARE(box.Text(), QStringLiteral("pq"));
}

QTEST_MAIN(tst_RoadDriverFindings)
#include "tst_road_driver_findings.moc"
