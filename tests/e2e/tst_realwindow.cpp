// The built program in a real window on an X server, driven by clicks and key
// presses as a user gives them, judged by what it leaves on disk.
#include "e2e/RealWindow.h"
#include "support/TestFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QtTest>

using namespace sorvane::test;

namespace {

// One settings line of the given fields, as the program writes it.
QByteArray SettingsLine(const QStringList& texts, const QList<int>& numbers) {
    QStringList fields;
    for (const QString& text : texts)
        fields << u'"' + text + u'"';
    for (int number : numbers)
        fields << QString::number(number);
    return fields.join(u',').toUtf8() + "\r\n";
}

// The double-quoted fields of a settings line, in order.
QStringList QuotedFields(const QByteArray& line) {
    QStringList fields;
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
    for (const QRegularExpressionMatch& match : quoted.globalMatch(QString::fromUtf8(line)))
        fields << match.captured(1);
    return fields;
}

// A source folder of photographs and eleven slot folders, all inside the
// program's temporary folder, and a settings file that opens the lists on
// the source. No slot is left at "/".
struct SortingDesk {
    explicit SortingDesk(const ProgramCopy& copy) : copy(copy) {
        source = copy.makeFolder(QStringLiteral("photos"));
        for (int i = 0; i < 11; ++i)
            slotFolders << copy.makeFolder(QStringLiteral("slot%1").arg(i));
        for (int i = 1; i <= 6; ++i) {
            const QString name = QStringLiteral("photo%1.jpg").arg(i);
            WriteImage(source + u'/' + name, QSize(64, 48), "JPEG",
                       QColor::fromHsv(i * 55 % 360, 200, 220));
            photos.insert(name, ReadFile(source + u'/' + name));
        }
    }

    QByteArray settings(int fieldCount = 25) const {
        return SettingsLine(QStringList{source} + slotFolders +
                                QStringList{QStringLiteral("8775"), QStringLiteral("8040")},
                            numbers.first(fieldCount - 14));
    }

    // Where every photograph is now: "photos: a b | slot3: c" with empty
    // folders left out, so a failed comparison shows the whole picture.
    QString whereabouts() const {
        QStringList parts{QStringLiteral("photos: ") + Files(source).join(u' ')};
        for (int i = 0; i < slotFolders.size(); ++i)
            if (const QStringList files = Files(slotFolders[i]); !files.isEmpty())
                parts << QStringLiteral("slot%1: ").arg(i) + files.join(u' ');
        return parts.join(QStringLiteral(" | "));
    }

    const ProgramCopy& copy;
    // Remember the source folder; slideshow every second; nothing else on.
    QList<int> numbers{0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    QString source;
    QStringList slotFolders;
    QMap<QString, QByteArray> photos;
};

// Starts the program over the desk's settings; false when no window showed.
bool StartOn(RealWindow& program, const SortingDesk& desk) {
    WriteFile(desk.copy.settingsPath(), desk.settings());
    return program.start(desk.copy.executable(), desk.copy.makeFolder(QStringLiteral("work"))) &&
           program.awaitWindow();
}

const QString Button = QStringLiteral("push button");

} // namespace

class RealWindowTest : public QObject {
    Q_OBJECT
    std::optional<bool> numLock_;

private Q_SLOTS:
    void init() {
        const QString unavailable = RealWindowsUnavailable();
        if (!unavailable.isEmpty() && qEnvironmentVariableIsSet("CI"))
            QFAIL(qPrintable(unavailable + QStringLiteral(" (CI must run every layer)")));
        if (!unavailable.isEmpty())
            QSKIP(qPrintable(unavailable + QStringLiteral(" (./dev test provides both)")));
        numLock_ = NumLockState();
        QVERIFY(numLock_);
    }
    void cleanup() {
        if (numLock_)
            QVERIFY(SetNumLock(*numLock_));
    }

    void firstCloseWritesTheDefaults() {
        ProgramCopy copy;
        QVERIFY(copy.isValid());
        RealWindow program;
        QVERIFY(program.start(copy.executable(), copy.makeFolder(QStringLiteral("work"))));
        QVERIFY2(program.awaitWindow(), qPrintable(program.errors()));
        QVERIFY(!QFile::exists(copy.settingsPath()));
        // Shrunk below its minimum, the window snaps back by itself.
        const QRect designed = program.geometry();
        QVERIFY(program.resize(QSize(300, 200)));
        QTRY_COMPARE_WITH_TIMEOUT(program.geometry().size(), designed.size(), 10000);

        QVERIFY(program.click(Button, QStringLiteral("終了")));
        QVERIFY2(program.awaitExit(), "the window stayed open after a click on 終了");
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);

        const QByteArray line = ReadFile(copy.settingsPath());
        static const QRegularExpression format(QString::fromLatin1(
            R"re(^("/",){12}"([0-9.]+)","([0-9.]+)",0,0,0,1,0,0,0,0,0,-?\d+,-?\d+\r\n\z)re"));
        const QRegularExpressionMatch match = format.match(QString::fromUtf8(line));
        QVERIFY2(match.hasMatch(), line.constData());
        // The outer size in twips of a window left at its design size; a pixel
        // or two of rounding either way is allowed.
        QVERIFY2(qAbs(match.captured(2).toDouble() - 8775) <= 30, line.constData());
        QVERIFY2(qAbs(match.captured(3).toDouble() - 8040) <= 30, line.constData());
    }

    // The options dialog by keyboard alone once the menu is open: from OK,
    // Tab reaches the window-size box, the source-folder box, the seconds and
    // the repeat box; Return confirms. The file written at the end holds them.
    void optionsChangedInTheDialogAreSavedAtTheEnd() {
        ProgramCopy copy;
        QVERIFY(copy.isValid());
        const SortingDesk desk(copy);
        RealWindow program;
        QVERIFY2(StartOn(program, desk), qPrintable(program.errors()));

        QVERIFY(program.openFirstMenu());
        QVERIFY(program.keyIntoMenu(QStringLiteral("Down Return"))); // オプション
        const QString dialog = program.awaitOtherWindow();
        QVERIFY2(!dialog.isEmpty(), "no options dialog showed");
        QVERIFY(program.keyInto(
            dialog, QStringLiteral("Tab Tab space Tab space Tab ctrl+a 1 2 Tab space Return")));
        for (const QDeadlineTimer deadline(10000); program.awaitOtherWindow(0) == dialog;)
            QVERIFY2(!deadline.hasExpired(), "the dialog stayed open after Return");
        QVERIFY(program.click(Button, QStringLiteral("終了")));
        QVERIFY2(program.awaitExit(), "the window stayed open after a click on 終了");

        // Window size on, source folder off, 12 seconds, repeat on; the rest
        // as they were.
        const QList<QByteArray> fields = ReadFile(copy.settingsPath()).trimmed().split(',');
        QCOMPARE(fields.size(), 25);
        QCOMPARE(fields.mid(14, 9).join(','), QByteArray("1,0,1,12,0,0,0,0,0"));
    }

    // Shift+3 types "#" and is the 3 key all the same. The keypad's 3 is
    // the 3 key only while it types "3" (Num Lock on); without Num Lock the
    // keypad's keys are Page Down, Left, Insert and send nothing. Enter on
    // the focus button takes back the newest send.
    void digitKeysSendAndEnterUndoes_data() {
        QTest::addColumn<bool>("keyByKey");
        QTest::addColumn<bool>("numLock");
        QTest::newRow("key by key, Num Lock off") << true << false;
        QTest::newRow("typed in one go, Num Lock on") << false << true;
    }
    void digitKeysSendAndEnterUndoes() {
        QFETCH(bool, keyByKey);
        QFETCH(bool, numLock);
        ProgramCopy copy;
        QVERIFY(copy.isValid());
        const SortingDesk desk(copy);
        RealWindow program;
        QVERIFY2(StartOn(program, desk), qPrintable(program.errors()));
        QVERIFY(SetNumLock(numLock));
        QVERIFY(program.click(Button, QStringLiteral("実行")));

        // xdotool names the keypad's 3 by what it types without Num Lock; asked
        // for KP_3 it would press Num Lock around it and leave it changed.
        // Without Num Lock, the row's 3 does the keypad's sending.
        const QString keypad3 =
            numLock ? QStringLiteral("KP_Next") : QStringLiteral("KP_Next KP_Left KP_Insert 3");
        const struct {
            QString keys;
            QString after;
        } steps[] = {
            {"3", "photos: photo2.jpg photo3.jpg photo4.jpg photo5.jpg photo6.jpg | "
                  "slot3: photo1.jpg"},
            {"shift+3", "photos: photo3.jpg photo4.jpg photo5.jpg photo6.jpg | "
                        "slot3: photo1.jpg photo2.jpg"},
            {keypad3, "photos: photo4.jpg photo5.jpg photo6.jpg | "
                      "slot3: photo1.jpg photo2.jpg photo3.jpg"},
            {"5", "photos: photo5.jpg photo6.jpg | slot3: photo1.jpg photo2.jpg photo3.jpg | "
                  "slot5: photo4.jpg"},
            {"Return", "photos: photo4.jpg photo5.jpg photo6.jpg | "
                       "slot3: photo1.jpg photo2.jpg photo3.jpg"},
        };
        if (keyByKey) {
            for (const auto& step : steps) {
                QVERIFY(program.key(step.keys));
                QTRY_COMPARE_WITH_TIMEOUT(desk.whereabouts(), step.after, 10000);
            }
        } else {
            QStringList keys;
            for (const auto& step : steps)
                keys << step.keys;
            QVERIFY(program.key(keys.join(u' ')));
            QTRY_COMPARE_WITH_TIMEOUT(desk.whereabouts(), std::end(steps)[-1].after, 10000);
        }
        QCOMPARE(NumLockState(), std::optional<bool>(numLock)); // the keypad saw the state asked
        for (auto photo = desk.photos.cbegin(); photo != desk.photos.cend(); ++photo) {
            const QString folder =
                photo.key() < QStringLiteral("photo4") ? desk.slotFolders[3] : desk.source;
            QVERIFY2(ReadFile(folder + u'/' + photo.key()) == photo.value(),
                     qPrintable(photo.key() + QStringLiteral(" changed on its way")));
        }

        // "キャンセル" ends the run, after which "終了" closes and saves.
        QVERIFY(program.click(Button, QStringLiteral("キャンセル")));
        QVERIFY(program.click(Button, QStringLiteral("終了")));
        QVERIFY2(program.awaitExit(), "the window stayed open after キャンセル and 終了");
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(ReadFile(copy.settingsPath()).startsWith('"' + desk.source.toUtf8() + "\","));
    }

    // Slot 3 assigned in the folder setup window reaches field 5 of the
    // settings file at close and sends there after a restart.
    void folderSetupAssignsASlotThatOutlivesARestart() {
        ProgramCopy copy;
        QVERIFY(copy.isValid());
        const SortingDesk desk(copy);
        WriteFile(copy.settingsPath(), desk.settings());
        const QString cats = copy.makeFolder(QStringLiteral("Cats"));
        {
            RealWindow program;
            // The folder setup window opens on the program's current folder.
            QVERIFY(program.start(copy.executable(), cats));
            QVERIFY2(program.awaitWindow(), qPrintable(program.errors()));
            QVERIFY(program.openFirstMenu());
            QVERIFY(program.keyIntoMenu(QStringLiteral("Down Down Return"))); // フォルダ選択
            const QString setup = program.awaitWindowNamed(QStringLiteral("フォルダ選択"));
            QVERIFY2(!setup.isEmpty(), "the folder setup window did not open");
            // Tab order: Drive1, Dir1, Command1(0), ..., so five Tabs reach slot 3.
            QVERIFY(program.keyInto(setup, QStringLiteral("Tab Tab Tab Tab Tab space")));
            QVERIFY(program.click(Button,
                                  QStringLiteral("終了"))); // closes the setup window, then saves
            QVERIFY2(program.awaitExit(), "the program did not end on 終了");
            QCOMPARE(program.exitCode(), 0);
        }
        QCOMPARE(QuotedFields(ReadFile(copy.settingsPath())).value(4), cats);

        RealWindow program;
        QVERIFY(program.start(copy.executable(), copy.makeFolder(QStringLiteral("work"))));
        QVERIFY2(program.awaitWindow(), qPrintable(program.errors()));
        QVERIFY(program.click(Button, QStringLiteral("実行")));
        QVERIFY(program.key(QStringLiteral("3")));
        QTRY_COMPARE_WITH_TIMEOUT(Files(cats), QStringList{QStringLiteral("photo1.jpg")}, 10000);
        QVERIFY(program.click(Button, QStringLiteral("キャンセル")));
        QVERIFY(program.click(Button, QStringLiteral("終了")));
        QVERIFY2(program.awaitExit(), "the program did not end on 終了");
        QCOMPARE(QuotedFields(ReadFile(copy.settingsPath())).value(4), cats);
    }

    // Each press acts once. A double-click on a slot button is two presses,
    // two sends, and on the undo button two undos; a key press that opens a
    // message box is one press: after OK to the same-name question the next
    // file waits for the next key.
    void eachPressActsOnce() {
        ProgramCopy copy;
        QVERIFY(copy.isValid());
        SortingDesk desk(copy);
        desk.numbers[8] = 1; // ask before replacing a file of the same name
        WriteFile(desk.slotFolders[7] + QStringLiteral("/photo2.jpg"), "an older photo2");
        RealWindow program;
        QVERIFY2(StartOn(program, desk), qPrintable(program.errors()));
        QVERIFY(program.click(Button, QStringLiteral("実行")));
        QVERIFY(program.click(Button, QStringLiteral("slot3"), 2));
        QTRY_COMPARE_WITH_TIMEOUT(desk.whereabouts(),
                                  QStringLiteral("photos: photo3.jpg photo4.jpg photo5.jpg "
                                                 "photo6.jpg | slot3: photo1.jpg photo2.jpg | "
                                                 "slot7: photo2.jpg"),
                                  10000);
        QVERIFY(program.click(Button, QStringLiteral("slot5")));
        QVERIFY(program.click(Button, QStringLiteral("１０回までアンドゥできます。"), 2));
        QTRY_COMPARE_WITH_TIMEOUT(desk.whereabouts(),
                                  QStringLiteral("photos: photo2.jpg photo3.jpg photo4.jpg "
                                                 "photo5.jpg photo6.jpg | slot3: photo1.jpg | "
                                                 "slot7: photo2.jpg"),
                                  10000);

        QVERIFY(program.key(QStringLiteral("7")));
        const QString question = program.awaitOtherWindow();
        QVERIFY2(!question.isEmpty(), "no same-name question");
        QVERIFY(program.keyInto(question, QStringLiteral("Return")));
        QVERIFY(program.key(QStringLiteral("5")));
        QTRY_COMPARE_WITH_TIMEOUT(desk.whereabouts(),
                                  QStringLiteral("photos: photo4.jpg photo5.jpg photo6.jpg | "
                                                 "slot3: photo1.jpg | slot5: photo3.jpg | "
                                                 "slot7: photo2.jpg"),
                                  10000);
        QCOMPARE(ReadFile(desk.slotFolders[7] + QStringLiteral("/photo2.jpg")),
                 desk.photos.value(QStringLiteral("photo2.jpg")));
    }

    // A double-click opens the viewer on that file and Space steps. Once its
    // toolbar's close button closed it, 実行 is enabled again: a click on it starts a run
    // (a disabled button would ignore the click and the digit key would move
    // nothing). The viewer covers the main window while it is open, so the
    // disabled state itself is not clicked at here. Opened again, its first
    // toolbar button opens the options dialog, which closes with the viewer.
    void viewerOpensOnTheFileDoubleClicked() {
        const QString Viewer = QStringLiteral("SorvaneViewer");
        ProgramCopy copy;
        QVERIFY(copy.isValid());
        const SortingDesk desk(copy);
        WriteFile(copy.settingsPath(), desk.settings());
        RealWindow program;
        QVERIFY(program.start(copy.executable(), copy.makeFolder(QStringLiteral("work"))));
        QVERIFY2(program.awaitWindow(), qPrintable(program.errors()));
        QVERIFY(program.click(QStringLiteral("list item"), QStringLiteral("photo1.jpg"), 2));
        const auto caption = [](int i) {
            return QStringLiteral("SorvaneViewer  photo%1\\.jpg   \\(%1/6\\)").arg(i);
        };
        const QString viewer = program.awaitWindowNamed(caption(1));
        QVERIFY2(!viewer.isEmpty(), "no viewer captioned with photo1.jpg (1/6)");
        QVERIFY(program.keyInto(viewer, QStringLiteral("space")));
        QVERIFY2(program.awaitWindowNamed(caption(2)) == viewer, "Space did not step to (2/6)");

        QVERIFY(program.click(Button, QStringLiteral("終了"), 1, Viewer));
        QTRY_VERIFY_WITH_TIMEOUT(program.awaitWindowNamed(caption(2), 100).isEmpty(), 10000);
        QVERIFY(program.click(Button, QStringLiteral("実行")));
        QVERIFY(program.key(QStringLiteral("3")));
        QTRY_COMPARE_WITH_TIMEOUT(Files(desk.slotFolders[3]),
                                  QStringList{QStringLiteral("photo1.jpg")}, 10000);
        QVERIFY(program.click(Button, QStringLiteral("キャンセル")));

        QVERIFY(program.click(QStringLiteral("list item"), QStringLiteral("photo2.jpg"), 2));
        const QString again =
            program.awaitWindowNamed(QStringLiteral("SorvaneViewer  photo2\\.jpg   \\(1/5\\)"));
        QVERIFY2(!again.isEmpty(), "no viewer captioned with photo2.jpg (1/5)");
        QVERIFY(program.click(Button, QStringLiteral("オプション"), 1, Viewer));
        const QString options = program.awaitOtherWindow();
        QVERIFY2(!options.isEmpty(), "the options dialog did not open");
        QVERIFY(program.click(Button, QStringLiteral("終了"), 1, Viewer));
        QTRY_VERIFY_WITH_TIMEOUT(program.awaitOtherWindow(100).isEmpty(), 10000);
        QVERIFY(program.click(Button, QStringLiteral("終了")));
        QVERIFY2(program.awaitExit(), "the program did not end on 終了");
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(RealWindowTest)
#include "tst_realwindow.moc"
