// Which interface language the user's languages choose.
#include "app/InterfaceLanguage.h"

#include <QtTest>

using namespace sorvane;

class InterfaceLanguageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theFirstLanguageDecides_data() {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<InterfaceLanguage>("chosen");
        const auto English = InterfaceLanguage::English, Japanese = InterfaceLanguage::Japanese;
        QTest::newRow("LANG=en_US.UTF-8") << QStringList{"en-US", "en"} << English;
        QTest::newRow("plain en") << QStringList{"en"} << English;
        QTest::newRow("British, with an underscore") << QStringList{"en_GB"} << English;
        QTest::newRow("LANGUAGE=en:ja") << QStringList{"en", "ja-JP", "ja"} << English;
        QTest::newRow("LANG=ja_JP.UTF-8") << QStringList{"ja-JP", "ja"} << Japanese;
        QTest::newRow("LANGUAGE=ja:en") << QStringList{"ja", "en-US"} << Japanese;
        QTest::newRow("C and POSIX") << QStringList{"C"} << Japanese;
        QTest::newRow("no translation") << QStringList{"de-DE", "en-US"} << Japanese;
        QTest::newRow("starts like en") << QStringList{"eo"} << Japanese;
        QTest::newRow("none") << QStringList{} << Japanese;
    }
    void theFirstLanguageDecides() {
        QFETCH(QStringList, uiLanguages);
        QFETCH(InterfaceLanguage, chosen);
        QCOMPARE(InterfaceLanguageOf(uiLanguages), chosen);
    }
};

QTEST_MAIN(InterfaceLanguageTest)
#include "tst_interfacelanguage.moc"
