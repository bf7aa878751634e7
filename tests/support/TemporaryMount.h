#pragma once

#include <QFile>
#include <QString>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

namespace sorvane::test {

// A file system on a folder for one test, unmounted however the test ends:
// a 1 MiB tmpfs (another file system, and a small one), or the folder bound
// onto itself read-only.
struct TemporaryMount {
    QByteArray target;
    bool mounted = false;
    QString refusal; // why the system refused it; empty when mounted
    explicit TemporaryMount(const QString& on, bool readOnly = false)
        : target(QFile::encodeName(on)) {
        mounted = readOnly ? ::mount(target, target, nullptr, MS_BIND, nullptr) == 0
                           : ::mount("none", target, "tmpfs", 0, "size=1m") == 0;
        if (!mounted || (readOnly && ::mount(nullptr, target, nullptr,
                                             MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0))
            refusal = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~TemporaryMount() {
        if (mounted)
            ::umount2(target, MNT_DETACH);
    }
    TemporaryMount(const TemporaryMount&) = delete;
    TemporaryMount& operator=(const TemporaryMount&) = delete;
};

} // namespace sorvane::test

// A file system the test needs and could not have: under CI that fails the
// test, elsewhere it is skipped.
#define REQUIRE_MOUNTED(refusal)                                                                   \
    do {                                                                                           \
        if (!(refusal).isEmpty()) {                                                                \
            const QString why = "the system refused the mount: " + (refusal);                      \
            if (qEnvironmentVariableIsSet("CI"))                                                   \
                QFAIL(qPrintable(why));                                                            \
            QSKIP(qPrintable(why));                                                                \
        }                                                                                          \
    } while (false)
