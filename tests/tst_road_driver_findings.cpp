#include "fakes.h"
#include "frmEindscherm.h"

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

QTEST_MAIN(tst_RoadDriverFindings)
#include "tst_road_driver_findings.moc"
