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
    qputenv("DESTDIR", QFile::encodeName(root));
    const QStringList arguments{"--install", SORVANE_BUILD_DIR, "--prefix", "/usr"};
    return QProcess::execute(SORVANE_CMAKE, arguments) == 0;
}

} // namespace

class InstallTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { SORVANE_REQUIRE_REAL_WINDOWS(); }

    void settingsGoWhereTheProgramMayWrite_data() {
        QTest::addColumn<bool>("installed");
        QTest::newRow("installed") << true;
        QTest::newRow("own folder") << false;
    }
    void settingsGoWhereTheProgramMayWrite() {
        QFETCH(bool, installed);
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
        // Installed: nothing beside the program, the settings in the config folder.
        QCOMPARE(added, installed ? QStringList{} : QStringList{"Sorvane.ini"});
        QCOMPARE(Tree(dir.filePath("config")),
                 installed ? QStringList{"sorvane/Sorvane.ini"} : QStringList{});
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
