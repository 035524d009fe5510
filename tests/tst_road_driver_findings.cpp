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
    void aCompositionEndedByMovingTheSelectionLeavesNoLineComposing();

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

void tst_RoadDriverFindings::aCompositionEndedByMovingTheSelectionLeavesNoLineComposing()
{
    t->program->frmEindscherm.Show();
    MultiLineTextBox& box = t->program->frmEindscherm.get()->Text2;
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&box, QStringLiteral("ab"));
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClicks(&box, QStringLiteral("cd"));
    QTest::keyClick(&box, Qt::Key_Return);
    QInputMethodEvent composing(QStringLiteral("\u3131"), {});
    composing.setCommitString(QStringLiteral("\u010D"));
    QApplication::sendEvent(&box, &composing);
    // Some input methods end a composition while they move the selection,
    // here a line up.
    QInputMethodEvent moved(QString(), {{QInputMethodEvent::Selection, -2, 1, QVariant()}});
    QApplication::sendEvent(&box, &moved);
    for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next())
        QCOMPARE(b.layout()->preeditAreaText(), QString());
    QTest::keyClick(&box, Qt::Key_2);
    QTest::keyClick(&box, Qt::Key_PageDown);
    QVERIFY(box.textCursor().position() < box.document()->characterCount());
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("\r"));
    QApplication::sendEvent(&box, &committed);
    QCOMPARE(box.document()->blockCount(), 4);
}

QTEST_MAIN(tst_RoadDriverFindings)
#include "tst_road_driver_findings.moc"
