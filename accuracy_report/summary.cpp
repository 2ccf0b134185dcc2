// The few lines accuracy_report prints on standard output. Formatting only.

#include "accuracy_report/text.h"
#include "accuracy_report/writers.h"

namespace xsin {

void printSummary(const Report& report, OutputFile& out) {
    out.print("Exact values: %s; elementary functions: %s\n", report.exactArithmetic.c_str(),
              report.mathLibrary.c_str());
    for (const ColumnAccuracy* c : report.tables.columns()) {
        out.print("%-21s column %d %-8s max error %.2g, median %.2g, correctly rounded %s, %zu fragile lines\n",
                  c->file.c_str(), c->column, c->evaluator.c_str(), c->maxError, c->medianError,
                  text::percent(c->correctlyRoundedShare).c_str(), c->fragileLines.size());
    }
    const StepAccuracy& best = report.steps.bestByMax;
    out.print("Finite-difference step: the largest error is smallest at h = %.0e (%.2g)\n", best.h, best.maxError);
    for (const SearchAccuracy* s : report.searches.all()) {
        out.print("%-17s %-13s error %.2g after %d %s, %s\n", s->program.c_str(), s->search.c_str(), s->error,
                  s->iterations, s->kind == SearchKind::bracketing ? "trial points" : "steps",
                  s->robust ? "robust" : "not robust");
    }
}

}  // namespace xsin
