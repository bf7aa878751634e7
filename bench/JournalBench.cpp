#include "JournalBench.h"

#include "BenchStats.h"
#include "journal/JournalWindow.h"
#include "journal/SendJournal.h"
#include "settings/Module1.h"
#include "sorting/SortingRun.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace sorvane::bench {
namespace {

// A window that hands the run the folder's names in order, without reading
// the folder again: what is measured is the send and its record alone.
struct NamesWindow : SortingRun::Window {
    QString folder;
    QStringList names;
    int next = 0;
    QString firstName() const override { return names.value(next); }
    QString listFolder() const override { return folder; }
    void letEventsIn() override {}
    void sendStarting(int) override {}
    void sendingTo(const QString&) override {}
    void historyChanged() override {}
    void listChanged() override { ++next; }
    void sendFinished(int) override {}
    void undoFinished() override {}
    void reportFailure(const QString&) override {}
};

// Sends in rounds, the journal on in every other round, so that both
// modes see the same disk and the same folder sizes.
std::pair<Samples, Samples> SendTimes(const QString& root, int folderSize) {
    NamesWindow window;
    window.folder = root + QStringLiteral("/src");
    QDir().mkpath(window.folder);
    for (int i = 0; i < folderSize; ++i) {
        window.names.append(QStringLiteral("IMG_%1.JPG").arg(i, 5, 10, QChar(u'0')));
        test::WriteFile(window.folder + u'/' + window.names.last(), QByteArray(4096, 'x'));
    }
    Module1 module;
    for (int i = 0; i < SlotCount; ++i)
        QDir().mkpath(module.FolderSlots[size_t(i)] = root + QStringLiteral("/slot%1").arg(i));
    test::ScriptedPrompts prompts;
    SortingRun run(module, prompts, window);
    SendJournal journal(root + QStringLiteral("/state/journal.sqlite"));
    std::pair<Samples, Samples> times; // with, without
    const int rounds = 10, perRound = std::max(1, folderSize / (2 * rounds));
    for (int round = 0; round < 2 * rounds; ++round) {
        const bool on = round % 2 == 0;
        run.setRecorder(on ? &journal : nullptr);
        for (int i = 0; i < perRound; ++i) {
            QElapsedTimer timer;
            timer.start();
            run.send(i % 10);
            (on ? times.first : times.second).Add(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    return times;
}

double WindowOpenMs(const QString& root, int entries) {
    SendJournal journal(root + QStringLiteral("/big.sqlite"), entries);
    {
        SendJournal::Batch batch(journal);
        for (int i = 0; i < entries; ++i)
            journal.record({JournalAction::Move,
                            root + QStringLiteral("/src/IMG_%1.JPG").arg(i),
                            root + QStringLiteral("/slot%1/IMG_%2.JPG").arg(i % 10).arg(i),
                            i % 10,
                            {},
                            {}});
    }
    Module1 module;
    { // as in the program, whose main window has loaded the fonts and the style already
        SendJournal empty(root + QStringLiteral("/empty.sqlite"));
        JournalWindow warm(empty, module);
        warm.Form_Load();
        warm.show();
        QApplication::processEvents();
    }
    QElapsedTimer timer;
    timer.start();
    JournalWindow window(journal, module);
    window.Form_Load();
    window.show();
    QApplication::processEvents(); // laid out and painted once
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

void JournalRows(int folderSize, int bigJournal, const RowPrinter& row) {
    QTemporaryDir dir;
    const auto [with, without] = SendTimes(dir.path(), folderSize);
    const QString folder = QStringLiteral("%1 files").arg(folderSize);
    row(QStringLiteral("send, journal on (baseline: off), median"), folder, with.Median(),
        without.Median(), QStringLiteral("ms"), QStringLiteral("+ <= 0.5 ms"), false);
    row(QStringLiteral("send, journal on (baseline: off), 99th pct"), folder, with.Percentile(99),
        without.Percentile(99), QStringLiteral("ms"), QString(), false);
    row(QStringLiteral("journal window open to first paint"),
        QStringLiteral("%1 entries").arg(bigJournal), WindowOpenMs(dir.path(), bigJournal), 0,
        QStringLiteral("ms"), QStringLiteral("<= 200 ms"), false);
}

} // namespace sorvane::bench
