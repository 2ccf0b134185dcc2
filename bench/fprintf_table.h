#pragma once

#include <cstdio>

#include "numerics/walk.h"

// The straightforward table writer, one fprintf per line, which the
// project's writers are measured against.
inline void fprintfTable(const char* name, double (*derivative)(double)) {
    std::FILE* table = std::fopen(name, "w");
    if (table == nullptr) {
        std::perror(name);
        return;
    }
    xsin::walkAbscissa(-10.0, 10.0, 100000.0,
                       [&](double x) { std::fprintf(table, "%20.10lf %20.10lf\n", x, derivative(x)); });
    std::fclose(table);
}
