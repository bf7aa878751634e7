// The argument the program is started with: every word is a path, whatever
// it looks like, and a leading "--" only ends the options.
#include "app/StartArgument.h"

#include <QtTest>

using namespace sorvane;

class StartArgumentTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void takesTheFirstPath_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("none") << QByteArrayList{} << QByteArray();
        QTest::newRow("a picture")
            << QByteArrayList{"/photos/a.jpg"} << QByteArray("/photos/a.jpg");
        QTest::newRow("named like a Qt option")
            << QByteArrayList{"-reverse"} << QByteArray("-reverse");
        QTest::newRow("after --") << QByteArrayList{"--", "-style"} << QByteArray("-style");
        QTest::newRow("-- alone") << QByteArrayList{"--"} << QByteArray();
        QTest::newRow("a file called --") << QByteArrayList{"--", "--"} << QByteArray("--");
        QTest::newRow("only the first") << QByteArrayList{"a.jpg", "b.jpg"} << QByteArray("a.jpg");
        QTest::newRow("not UTF-8") << QByteArrayList{"caf\xe9.jpg"} << QByteArray("caf\xe9.jpg");
    }
    void takesTheFirstPath() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, path);
        std::vector<const char*> argv{"sorvane"};
        for (const QByteArray& argument : std::as_const(arguments))
            argv.push_back(argument.constData());
        argv.push_back(nullptr);
        QCOMPARE(StartArgument(int(argv.size() - 1), argv.data()), path);
    }
};

QTEST_GUILESS_MAIN(StartArgumentTest)
#include "tst_startargument.moc"
