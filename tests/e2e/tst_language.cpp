// The built program speaks the language of the desktop it starts in: English
// under an English locale, Japanese under a Japanese one and under the C
// locale of a plain shell, in its own captions and in the standard buttons of
// its message boxes alike.
#include "e2e/RealWindow.h"
#include "support/TestFiles.h"

#include <QtTest>

using namespace sorvane::test;

class LanguageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { SORVANE_REQUIRE_REAL_WINDOWS(); }

    // The folder setup window opens from the first menu; its 一括削除 on a
    // folder of one file asks first, and the question's Cancel keeps the file.
    void captionsAndBoxesFollowTheLocale_data() {
        QTest::addColumn<QString>("lang");
        // The first menu, the setup window's title, its bulk delete, the
        // question's Cancel and the main window's Exit.
        QTest::addColumn<QStringList>("captions");
        const QStringList japanese{"オプション", "フォルダ選択", "一括削除", "キャンセル", "終了"};
        QTest::newRow("en_US.UTF-8")
            << "en_US.UTF-8"
            << QStringList{"Options", "Folder Setup", "Delete all", "Cancel", "Exit"};
        QTest::newRow("ja_JP.UTF-8") << "ja_JP.UTF-8" << japanese;
        QTest::newRow("C.UTF-8") << "C.UTF-8" << japanese;
    }
    void captionsAndBoxesFollowTheLocale() {
        QFETCH(QString, lang);
        QFETCH(QStringList, captions);
        ProgramCopy copy;
        QVERIFY(copy.isValid());
        QStringList fields{copy.makeFolder("photos")};
        for (int i = 0; i < 11; ++i)
            fields << copy.makeFolder(QString("slot%1").arg(i));
        QVERIFY(WriteFile(fields.last() + "/keep.jpg", "keep"));
        QVERIFY(WriteFile(copy.settingsPath(), ('"' + fields.join("\",\"") +
                                                "\",\"8775\",\"8040\",0,1,0,1,0,0,0,0,0,0,0\r\n")
                                                   .toUtf8()));
        // Only LANG speaks: the variables that would override it are cleared.
        QProcessEnvironment locale;
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            locale.insert(name, "");
        locale.insert("LANG", lang);
        RealWindow program;
        QVERIFY2(program.start(copy.executable(), copy.path("photos"), locale),
                 qPrintable(program.errors()));
        QVERIFY(program.openFirstMenu(captions[0]) && program.keyIntoMenu("Down Down Return"));
        // The setup window is found by its accessible name: under a locale
        // the system lacks, its X title is not in UTF-8 and xdotool misreads it.
        QVERIFY2(program.click("push button", captions[2], 1, captions[1]),
                 qPrintable(captions[1] + " / " + captions[2]));
        const QString question = program.awaitOtherWindow();
        QVERIFY2(!question.isEmpty(), "no question before the bulk delete");
        QVERIFY(program.click("push button", captions[3], 1, "Sorvane"));
        QString cancelled; // the question closes, and a word that nothing was deleted shows
        QTRY_VERIFY2_WITH_TIMEOUT(!(cancelled = program.awaitOtherWindow(0)).isEmpty() &&
                                      cancelled != question,
                                  "no word that the bulk delete was cancelled", 10000);
        QVERIFY(program.keyInto(cancelled, "Return"));
        QCOMPARE(Files(fields.last()), QStringList{"keep.jpg"});
        QVERIFY(program.click("push button", captions[4]));
        QVERIFY2(program.awaitExit(), qPrintable(program.errors()));
    }
};

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
