// The data behind the figures, for gnuplot. Formatting only.

#include "accuracy_report/writers.h"

namespace xsin {

void writeDerivativeData(const Report& report, OutputFile& out) {
    const DerivativeTables& t = report.tables;
    out.put("# x  exact f'(x)  |fp - exact|  |fpfinite - exact|  |af - exact|  envelope of the bound of fp and af\n");
    for (size_t i = 0; i < t.xs.size(); ++i) {
        out.print("%.17g %.17g %.17g %.17g %.17g %.17g\n", t.xs[i], t.exact[i].hi, t.real.errors[i], t.finite.errors[i],
                  t.autodiff.errors[i], t.fpEnvelope[i]);
    }
}

void writeStepData(const Report& report, OutputFile& out) {
    out.put("# h  max error  median error  truncation estimate  rounding estimate\n");
    for (const StepAccuracy& s : report.steps.all) {
        out.print("%.17g %.17g %.17g %.17g %.17g\n", s.h, s.maxError, s.medianError, s.truncation, s.rounding);
    }
}

// One block per search, separated by two blank lines (gnuplot's index).
void writeIterateData(const Report& report, OutputFile& out) {
    for (const SearchAccuracy* s : report.searches.all()) {
        out.print("# %s %s: iterate, point, |point - root|\n", s->program.c_str(), s->search.c_str());
        for (size_t k = 0; k < s->iterates.size(); ++k) {
            out.print("%zu %.17g %.17g\n", k, s->iterates[k].point, s->iterates[k].error);
        }
        out.put("\n\n");
    }
}

}  // namespace xsin
