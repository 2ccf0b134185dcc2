#pragma once

#include <string>
#include <vector>

#include "accuracy_report/faithful.h"
#include "accuracy_report/measure.h"
#include "output/output.h"

namespace xsin {

struct Report {
    std::string exactArithmetic;  // "MPFR 4.2.0 at 256 bits"
    std::string mathLibrary;      // the elementary functions of this build
    DerivativeTables tables;
    std::vector<StepAccuracy> steps;
    Searches searches;
    LibraryCheck library;
};

Report measureEverything();

// accuracy.json: doubles with 17 significant digits, so that each reads back
// as the same double.
void writeJson(const Report& report, OutputFile& out);

// accuracy.md: the same as tables, and what they mean.
void writeMarkdown(const Report& report, OutputFile& out);

// The data behind the figures, for gnuplot: per abscissa of the timed
// tables, per finite-difference step, and per iterate of every search.
void writeDerivativeData(const Report& report, OutputFile& out);
void writeStepData(const Report& report, OutputFile& out);
void writeIterateData(const Report& report, OutputFile& out);

// A few lines for standard output.
void printSummary(const Report& report, OutputFile& out);

}  // namespace xsin
