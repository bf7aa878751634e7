// The usage window on real Readme.txt files.
#include "help/Form3.h"
#include "support/Controls.h"
#include "support/TestFiles.h"

#include <QPlainTextEdit>
#include <QStringEncoder>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

class HelpTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Any line end counts; each shown line ends in one line end, the last too.
    void showsTheUsageText_data() {
        QTest::addColumn<QByteArray>("content"); // null: a folder named Readme.txt
        QTest::addColumn<QString>("shown");
        const QString twoLines = QStringLiteral("使い方\n二行目\n");
        QTest::newRow("UTF-8, CR LF, unended") << QByteArray("使い方\r\n二行目") << twoLines;
        QStringEncoder shiftJis("Shift_JIS");
        QTest::newRow("Shift-JIS, CR") << QByteArray(shiftJis(u"使い方\r二行目\r")) << twoLines;
        QTest::newRow("not a file") << QByteArray() << "Readme.txtが見つかりません。";
    }
    void showsTheUsageText() {
        QFETCH(QByteArray, content);
        QTemporaryDir program;
        QVERIFY(content.isNull() ? QDir(program.path()).mkdir("Readme.txt")
                                 : WriteFile(program.filePath("Readme.txt"), content));
        Form3 window(program.path());
        window.Form_Load();
        QTEST(ControlNamed<QPlainTextEdit>(&window, "Text1")->toPlainText(), "shown");
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
