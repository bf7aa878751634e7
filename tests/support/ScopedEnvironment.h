#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace sorvane::test {

// Sets an environment variable while it lives and puts back what was there
// (or its absence) when it goes, also when the test that set it failed half
// way, so that no test leaks a variable into the next one.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name), wasSet_(qEnvironmentVariableIsSet(name)), saved_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnvironment() { wasSet_ ? qputenv(name_, saved_) : qunsetenv(name_); }
    Q_DISABLE_COPY(ScopedEnvironment)

private:
    const char* name_;
    bool wasSet_;
    QByteArray saved_;
};

} // namespace sorvane::test
