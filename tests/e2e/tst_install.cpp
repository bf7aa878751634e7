// The program installed under a prefix and the program in a folder of its
// own, each started with an empty home and closed: the settings file goes
// to the user's configuration folder for the first, beside the executable
// for the second, and nowhere else.
#include "e2e/RealWindow.h"

#include <QDirIterator>
#include <QtTest>

using namespace sorvane::test;

namespace {

// Every file under the folder, by its path from there.
QStringList Tree(const QString& folder) {
    QStringList paths;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();)
        paths << QDir(folder).relativeFilePath(it.next());
    paths.sort();
    return paths;
}

// What cmake --install puts under the prefix /usr, inside root.
bool InstallInto(const QString& root) {
    QProcess install;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DESTDIR", root);
    install.setProcessEnvironment(environment);
    install.start(SORVANE_CMAKE, {"--install", SORVANE_BUILD_DIR, "--prefix", "/usr"});
    return install.waitForFinished(60000) && install.exitStatus() == QProcess::NormalExit &&
           install.exitCode() == 0;
}

} // namespace

class InstallTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { SORVANE_REQUIRE_REAL_WINDOWS(); }

    void settingsGoWhereTheProgramMayWrite_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QStringList>("addedBeside"); // to the files of the program's folder
        QTest::addColumn<QStringList>("addedToConfig");
        QTest::newRow("installed") << true << QStringList{} << QStringList{"sorvane/Sorvane.ini"};
        QTest::newRow("own folder") << false << QStringList{"Sorvane.ini"} << QStringList{};
    }
    void settingsGoWhereTheProgramMayWrite() {
        QFETCH(bool, installed);
        QFETCH(QStringList, addedBeside);
        QFETCH(QStringList, addedToConfig);
        QTemporaryDir dir;
        ProgramCopy copy;
        QVERIFY(copy.isValid());
        QString executable = copy.executable();
        if (installed) {
            QVERIFY(InstallInto(dir.filePath("root")));
            executable = dir.filePath("root/usr/bin/sorvane");
        }
        const QString folder = QFileInfo(executable).absolutePath();
        const QString root = installed ? dir.filePath("root") : folder;
        const QStringList before = Tree(root);
        QProcessEnvironment home;
        home.insert("HOME", dir.filePath("home"));
        home.insert("XDG_CONFIG_HOME", dir.filePath("config"));

        RealWindow program;
        QVERIFY2(program.start(executable, dir.path(), home), qPrintable(program.errors()));
        QVERIFY(program.click("push button", "終了"));
        QVERIFY2(program.awaitExit(), "the program did not end cleanly on 終了");
        QStringList added = Tree(root);
        added.removeIf([&](const QString& path) { return before.contains(path); });
        QCOMPARE(added, addedBeside);
        QCOMPARE(Tree(dir.filePath("config")), addedToConfig);
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
