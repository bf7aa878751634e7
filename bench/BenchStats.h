#pragma once

#include <QString>

#include <vector>

namespace sorvane::bench {

// Milliseconds of repeated measurements.
struct Samples {
    std::vector<double> ms;

    void Add(double value) { ms.push_back(value); }
    void Add(const Samples& more) { ms.insert(ms.end(), more.ms.begin(), more.ms.end()); }
    double Median() const { return Percentile(50); }
    double Percentile(double p) const;
};

// Resident memory of this process now, and its peak, in MiB.
double ResidentMiB();
double PeakResidentMiB();

// The C heap now, in MiB: in use, free but kept by the allocator (in all
// its arenas), and mapped on its own for large blocks.
struct HeapMiB {
    double used = 0;
    double keptFree = 0;
    double mapped = 0;
};
HeapMiB Heap();

} // namespace sorvane::bench
