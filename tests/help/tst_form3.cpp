// The usage window, on real Readme.txt files.
#include "help/Form3.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

using namespace sorvane;

class Form3Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Any line end counts; each shown line ends in one line end, the last too.
    void showsTheUsageText_data() {
        QTest::addColumn<QString>("kind"); // a file, "missing" or "folder"
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("shown");
        const QString twoLines = QStringLiteral("使い方\n二行目\n");
        QStringEncoder shiftJis("Shift_JIS");
        QTest::newRow("UTF-8, CR LF") << "file" << QByteArray("使い方\r\n二行目\r\n") << twoLines;
        QTest::newRow("UTF-8, LF, last line unended")
            << "file" << QByteArray("使い方\n二行目") << twoLines;
        QTest::newRow("Shift-JIS, CR")
            << "file" << QByteArray(shiftJis.encode(QStringLiteral("使い方\r二行目\r")))
            << twoLines;
        QTest::newRow("empty") << "file" << QByteArray() << "";
        QTest::newRow("missing") << "missing" << QByteArray() << "Readme.txtが見つかりません。";
        QTest::newRow("a folder of that name")
            << "folder" << QByteArray() << "Readme.txtが見つかりません。";
    }
    void showsTheUsageText() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(QString, shown);
        QTemporaryDir program;
        if (kind == "file")
            test::WriteFile(program.filePath("Readme.txt"), content);
        else if (kind == "folder")
            QVERIFY(QDir(program.path()).mkdir("Readme.txt"));
        Form3 window(program.path());
        QCOMPARE(window.windowTitle(), QStringLiteral("Sorvaneの使い方"));
        const auto* text = window.findChild<QPlainTextEdit*>("Text1");
        QCOMPARE(text->toPlainText(), shown);
        QVERIFY(text->isReadOnly());
    }
};

QTEST_MAIN(Form3Test)
#include "tst_form3.moc"
