#include "BenchStats.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <malloc.h>

namespace sorvane::bench {
namespace {

double StatusField(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

} // namespace

double Samples::Percentile(double p) const {
    if (ms.empty())
        return 0;
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    const size_t at = size_t(std::ceil(p / 100.0 * double(sorted.size()))) - 1;
    return sorted[std::min(at, sorted.size() - 1)];
}

double ResidentMiB() {
    return StatusField("VmRSS:");
}
double PeakResidentMiB() {
    return StatusField("VmHWM:");
}

HeapMiB Heap() {
    const struct mallinfo2 info = ::mallinfo2();
    constexpr double MiB = 1024.0 * 1024.0;
    return {double(info.uordblks) / MiB, double(info.fordblks) / MiB, double(info.hblkhd) / MiB};
}

} // namespace sorvane::bench
