#pragma once

#include <QString>
#include <QTest>

#include <initializer_list>

namespace sorvane::test {

// Adds a data row for each line of a table of texts: the row's tag, then a
// value for each of the test's columns (all QString), in their order.
inline void AddRows(std::initializer_list<std::initializer_list<const char*>> rows) {
    for (const std::initializer_list<const char*>& row : rows) {
        const char* const* cell = row.begin();
        QTestData& data = QTest::newRow(*cell);
        while (++cell != row.end())
            data << QString::fromUtf8(*cell);
    }
}

} // namespace sorvane::test
