#pragma once

#include <cstdio>

#include "experiments/experiments.h"
#include "numerics/walk.h"

// The straightforward table writer, one fprintf per line, which the
// project's writers are measured against.
inline void fprintfTable(const char* name, double (*derivative)(double)) {
    std::FILE* table = std::fopen(name, "w");
    if (table == nullptr) {
        std::perror(name);
        return;
    }
    constexpr auto walk = xsin::experiments::timedTables;
    xsin::walkAbscissa(walk.lo, walk.hi, static_cast<double>(walk.steps),
                       [&](double x) { std::fprintf(table, "%20.10lf %20.10lf\n", x, derivative(x)); });
    std::fclose(table);
}
