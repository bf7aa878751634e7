#pragma once

#include "platform/FileOps.h"
#include "settings/Module1.h"
#include "sorting/SortingRun.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <functional>

namespace sorvane::test {

// A sorting run without a window, on a source folder "src" and slot folders
// "0".."9" and "bulk" in a temporary folder (made in the root folder given,
// a mounted card say). The list is read again only when the run says files
// came or went, as the window does.
struct Run : SortingRun::Window {
    QTemporaryDir dir;
    Module1 module;
    ScriptedPrompts prompts;
    SortingRun run{module, prompts, *this};
    std::function<void()> onEvents; // presses that arrive while a send waits
    int refreshes = 0;
    QStringList listed;
    QStringList failures; // the lines the window was given

    explicit Run(const QStringList& files, const QString& root = QDir::tempPath())
        : dir(root + QStringLiteral("/sorvane-run-XXXXXX")) {
        for (int i = 0; i < SlotCount; ++i)
            QDir().mkpath(module.FolderSlots[size_t(i)] = slot(i));
        QDir().mkpath(path("src"));
        for (const QString& name : files)
            WriteFile(path("src/" + name), name.toUtf8());
        listed = ListFiles(listFolder());
    }
    QString path(const QString& relative) const { return dir.filePath(relative); }
    QString source(const QString& name) const { return path("src/" + name); }
    QString slot(int i) const { return path(i == BulkDeleteSlot ? "bulk" : QString::number(i)); }

    QString firstName() const override { return listed.value(0); }
    QString listFolder() const override { return path("src"); }
    void letEventsIn() override {
        if (const std::function<void()> events = std::exchange(onEvents, {}))
            events();
    }
    void sendStarting(int) override {}
    void sendingTo(const QString&) override {}
    void historyChanged() override {}
    void listChanged() override {
        ++refreshes;
        listed = ListFiles(listFolder());
    }
    void sendFinished(int) override {}
    void undoFinished() override {}
    void reportFailure(const QString& line) override { failures.append(line); }
};

} // namespace sorvane::test
