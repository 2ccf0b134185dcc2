#pragma once

#include "accuracy_report/report.h"
#include "output/output.h"

// accuracy_report's writers, one file each: they format what the report
// holds and compute nothing.

namespace xsin {

// accuracy.json: every number of the report, for programs (jq).
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
