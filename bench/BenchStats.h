#pragma once

#include <QString>

#include <vector>

namespace sorvane::bench {

// Milliseconds of repeated measurements.
struct Samples {
    std::vector<double> ms;

    void Add(double value) { ms.push_back(value); }
    double Median() const { return Percentile(50); }
    double Percentile(double p) const;
};

// Resident memory of this process now, and its peak, in MiB.
double ResidentMiB();
double PeakResidentMiB();

} // namespace sorvane::bench
