#include "accuracy/report.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "accuracy/exact.h"

namespace xsin {

namespace {

// Formats like printf, into a string.
template <class... Args>
std::string format(const char* pattern, Args... args) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

// 17 significant digits read back as the same double; JSON has no NaN.
std::string jsonNumber(double value) {
    return std::isfinite(value) ? format("%.17g", value) : "null";
}

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

template <class T, class Write>
void jsonArray(OutputFile& out, const std::vector<T>& items, const char* indent, Write write) {
    put(out, "[");
    for (size_t i = 0; i < items.size(); ++i) {
        print(out, "%s\n%s", i == 0 ? "" : ",", indent);
        write(items[i]);
    }
    print(out, "\n%.*s]", static_cast<int>(std::string(indent).size()) - 2, indent);
}

std::string percent(long part, long whole) {
    return format("%.1f %%", 100.0 * static_cast<double>(part) / static_cast<double>(whole));
}

std::string fragileList(const std::vector<long>& lines, size_t most) {
    std::string text;
    for (size_t i = 0; i < lines.size() && i < most; ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(lines[i]);
    }
    if (lines.size() > most) {
        text += format(", ... (%zu more)", lines.size() - most);
    }
    return text;
}

const StepAccuracy& bestStep(const std::vector<StepAccuracy>& steps, double StepAccuracy::*error) {
    return *std::min_element(steps.begin(), steps.end(),
                             [error](const StepAccuracy& a, const StepAccuracy& b) { return a.*error < b.*error; });
}

// The bits of bracket a search removes per trial point.
double bitsPerTrial(const SearchAccuracy& search) {
    return -std::log2(search.narrowing);
}

std::string convergence(const SearchAccuracy& search) {
    if (search.orders.empty()) {
        return format("narrowing %.4f per trial point (%.2f bits)", search.narrowing, bitsPerTrial(search));
    }
    std::string orders;
    for (double order : search.orders) {
        orders += (orders.empty() ? "" : ", ") + format("%.2f", order);
    }
    return "order " + orders;
}

}  // namespace

Report measureEverything() {
    Report report;
    report.exactArithmetic = mpfrVersion() + " at " + std::to_string(exactBits) + " bits";
#ifdef XSIN_CORRECTLY_ROUNDED
    report.mathLibrary = "correctly rounded (" + mpfrVersion() + ")";
#else
    report.mathLibrary = "the standard math library";
#endif
    report.tables = measureTables();
    report.steps = measureSteps();
    report.searches = measureSearches();
    report.library = libraryCheck();
    return report;
}

void writeJson(const Report& report, OutputFile& out) {
    print(out, "{\n  \"exact_arithmetic\": %s,\n  \"elementary_functions\": %s,\n",
          jsonString(report.exactArithmetic).c_str(), jsonString(report.mathLibrary).c_str());
    print(out, "  \"library_answers_checked\": %ld,\n  \"library_answers_beyond_one_ulp\": %ld,\n",
          report.library.checked, report.library.outside);
    put(out, "  \"tables\": ");
    jsonArray(out, report.tables.columns, "    ", [&out](const ColumnAccuracy& c) {
        print(out,
              "{\"file\": %s, \"column\": %d, \"evaluator\": %s, \"lines\": %ld, \"max_abs_error\": %s, "
              "\"max_abs_error_at\": %s, \"median_abs_error\": %s, \"correctly_rounded\": %ld, "
              "\"fragile_lines\": [",
              jsonString(c.file).c_str(), c.column, jsonString(c.evaluator).c_str(), c.lines,
              jsonNumber(c.maxError).c_str(), jsonNumber(c.maxErrorAt).c_str(), jsonNumber(c.medianError).c_str(),
              c.correctlyRounded);
        for (size_t i = 0; i < c.fragileLines.size(); ++i) {
            print(out, "%s%ld", i == 0 ? "" : ", ", c.fragileLines[i]);
        }
        put(out, "]}");
    });
    put(out, ",\n  \"finite_difference_steps\": ");
    jsonArray(out, report.steps, "    ", [&out](const StepAccuracy& s) {
        print(out,
              "{\"h\": %s, \"max_abs_error\": %s, \"median_abs_error\": %s, \"truncation_estimate\": %s, "
              "\"rounding_estimate\": %s}",
              jsonNumber(s.h).c_str(), jsonNumber(s.maxError).c_str(), jsonNumber(s.medianError).c_str(),
              jsonNumber(s.truncation).c_str(), jsonNumber(s.rounding).c_str());
    });
    print(out, ",\n  \"best_step_by_max_error\": %s,\n  \"best_step_by_median_error\": %s,\n",
          jsonNumber(bestStep(report.steps, &StepAccuracy::maxError).h).c_str(),
          jsonNumber(bestStep(report.steps, &StepAccuracy::medianError).h).c_str());
    put(out, "  \"roots\": ");
    jsonArray(out, report.searches, "    ", [&out](const SearchAccuracy& s) {
        print(out,
              "{\"program\": %s, \"search\": %s, \"true_root\": %s, \"returned\": %s, \"abs_error\": %s, "
              "\"iterations\": %d, \"robust\": %s, \"robustness\": %s,\n      ",
              jsonString(s.program).c_str(), jsonString(s.search).c_str(), jsonString(s.truth.digits).c_str(),
              jsonNumber(s.returned).c_str(), jsonNumber(s.error).c_str(), s.iterations, s.robust ? "true" : "false",
              jsonString(s.robustness).c_str());
        if (s.orders.empty()) {
            print(out, "\"narrowing_per_trial\": %s, ", jsonNumber(s.narrowing).c_str());
        } else {
            put(out, "\"orders\": [");
            for (size_t i = 0; i < s.orders.size(); ++i) {
                print(out, "%s%s", i == 0 ? "" : ", ", jsonNumber(s.orders[i]).c_str());
            }
            put(out, "], ");
        }
        put(out, "\"iterates\": [");
        for (size_t i = 0; i < s.iterates.size(); ++i) {
            print(out, "%s\n        {\"point\": %s, \"abs_error\": %s}", i == 0 ? "" : ",",
                  jsonNumber(s.iterates[i].point).c_str(), jsonNumber(s.iterates[i].error).c_str());
        }
        put(out, "]}");
    });
    put(out, "\n}\n");
}

void writeMarkdown(const Report& report, OutputFile& out) {
    const auto& columns = report.tables.columns;
    const ColumnAccuracy& real = columns[0];
    const ColumnAccuracy& finite = columns[1];
    const ColumnAccuracy& dual = columns[2];
    print(out,
          "# How far each method is from the exact answer\n\n"
          "Written by `accuracy_report`. Every result of the programs is compared with the exact value "
          "for the very double the program works on, computed with %s. Elementary functions of this "
          "build: %s.\n\n",
          report.exactArithmetic.c_str(), report.mathLibrary.c_str());

    put(out,
        "## Derivative tables\n\n"
        "| file | column | evaluator | lines | max error | at x | median error | correctly rounded | "
        "fragile lines |\n|---|---:|---|---:|---:|---:|---:|---:|---:|\n");
    for (const ColumnAccuracy& c : columns) {
        print(out, "| %s | %d | `%s` | %ld | %.2g | %.4f | %.2g | %ld (%s) | %zu |\n", c.file.c_str(), c.column,
              c.evaluator.c_str(), c.lines, c.maxError, c.maxErrorAt, c.medianError, c.correctlyRounded,
              percent(c.correctlyRounded, c.lines).c_str(), c.fragileLines.size());
    }
    print(out,
          "\nThe closed form `fp` is correctly rounded on %s of the %ld abscissas and off by up to %.2g "
          "(at x = %.4f). The error is not that of the formula but of its first step: x·x is rounded "
          "before the sine, by up to half a unit in the last place of x², and 2x²·cos(x²) turns that into "
          "an error of up to about 2x⁴ units of 2⁻⁵³ in f′, 2.2e-12 at |x| = 10. `af` computes the same "
          "sine and cosine of the same rounded x·x and is off by as much (up to %.2g, correctly rounded "
          "on %s). The forward difference is off by up to %.2g, a median %.2g: %.0e times the median error "
          "of the closed form, almost all of it the truncation and rounding of the difference itself "
          "(see the step below).\n\n",
          percent(real.correctlyRounded, real.lines).c_str(), real.lines, real.maxError, real.maxErrorAt, dual.maxError,
          percent(dual.correctlyRounded, dual.lines).c_str(), finite.maxError, finite.medianError,
          finite.medianError / real.medianError);
    print(out,
          "A printed line is *fragile* when its text could be different under another math library whose "
          "`sin` and `cos` are within one unit in the last place: each call may return either double "
          "enclosing the exact value, every combination tried. %zu of the %ld lines of "
          "finitegradients.txt are fragile: the difference of two sines divided by 1e-8 shows the last "
          "bit of each sine in its tenth decimal. realgradients.txt has %zu fragile lines and "
          "autodiffgradients.txt %zu: there a last-bit change moves the value by about 1e-14, which "
          "changes the tenth decimal only next to a rounding boundary. The build's own library gave one "
          "of the two enclosing doubles on %ld of the %ld arguments checked.\n\n",
          finite.fragileLines.size(), finite.lines, real.fragileLines.size(), dual.fragileLines.size(),
          report.library.checked - report.library.outside, report.library.checked);
    for (const ColumnAccuracy& c : columns) {
        if (!c.fragileLines.empty()) {
            print(out, "- Fragile lines of %s, column %d: %s.\n", c.file.c_str(), c.column,
                  fragileList(c.fragileLines, 40).c_str());
        }
    }

    const StepAccuracy& byMax = bestStep(report.steps, &StepAccuracy::maxError);
    const StepAccuracy& byMedian = bestStep(report.steps, &StepAccuracy::medianError);
    put(out,
        "\n## The finite-difference step\n\n"
        "The forward difference (f(h + x) − f(x))/h over the 1001 abscissas of `gradient_table`, with "
        "the largest truncation error h/2·|f″(x)| and the largest rounding error (the errors of the two "
        "values of f and of the step h + x − x actually taken, divided by h) over those abscissas.\n\n"
        "| h | max error | median error | truncation estimate | rounding estimate |\n"
        "|---:|---:|---:|---:|---:|\n");
    for (const StepAccuracy& s : report.steps) {
        print(out, "| %.0e | %.2g | %.2g | %.2g | %.2g |\n", s.h, s.maxError, s.medianError, s.truncation, s.rounding);
    }
    print(out,
          "\nThe largest error is smallest at h = %.0e (%.2g) and the median error at h = %.0e (%.2g). "
          "Above that the truncation error grows like h, below it the rounding error like 1/h: the two "
          "estimates cross near the best step. The programs' h = 1e-8 is about the square root of the "
          "machine epsilon.\n\n",
          byMax.h, byMax.maxError, byMedian.h, byMedian.medianError);

    put(out,
        "## Root searches\n\n"
        "| program | search | true root | returned | error | iterations | convergence | robust |\n"
        "|---|---|---|---:|---:|---:|---|---|\n");
    for (const SearchAccuracy& s : report.searches) {
        print(out, "| %s | %s | %s | %.17g | %.2g | %d | %s | %s |\n", s.program.c_str(), s.search.c_str(),
              s.truth.digits.c_str(), s.returned, s.error, s.iterations, convergence(s).c_str(),
              s.robust ? "yes" : "no");
    }
    const SearchAccuracy& mid = report.searches[0];
    const SearchAccuracy& quarter = report.searches[1];
    const SearchAccuracy& newton = report.searches[2];
    print(out,
          "\nThe midpoint rule removes %.2f bits of bracket per trial point, the quarter-point rule "
          "%.2f on this search, so it needs %d trial points where the midpoint needs %d. Each search "
          "stops at the first trial point with |f| < 1e-8, which is no bound on the distance to the "
          "zero: the returned points are %.2g, %.2g and %.2g from their zeros. Newton's method converges "
          "with the order shown, from an error of %.2g at −5 to %.2g after %d steps.\n\n"
          "Robust means that no decision (tolerance test, sign of the product) and no printed value "
          "along the search could change under another faithful math library:\n\n",
          bitsPerTrial(mid), bitsPerTrial(quarter), quarter.iterations, mid.iterations, mid.error, quarter.error,
          report.searches[3].error, newton.iterates.front().error, newton.error, newton.iterations);
    for (const SearchAccuracy& s : report.searches) {
        print(out, "- %s, %s: %s.\n", s.program.c_str(), s.search.c_str(), s.robustness.c_str());
    }
    put(out, "\nThe error of every iterate is in accuracy.json and accuracy_iterates.txt.\n");
}

void writeDerivativeData(const Report& report, OutputFile& out) {
    const auto& t = report.tables;
    put(out, "# x  exact f'(x)  |fp - exact|  |fpfinite - exact|  |af - exact|\n");
    for (size_t i = 0; i < t.xs.size(); ++i) {
        print(out, "%.17g %.17g %.17g %.17g %.17g\n", t.xs[i], t.exact[i].hi, t.columns[0].errors[i],
              t.columns[1].errors[i], t.columns[2].errors[i]);
    }
}

void writeStepData(const Report& report, OutputFile& out) {
    put(out, "# h  max error  median error  truncation estimate  rounding estimate\n");
    for (const StepAccuracy& s : report.steps) {
        print(out, "%.17g %.17g %.17g %.17g %.17g\n", s.h, s.maxError, s.medianError, s.truncation, s.rounding);
    }
}

// One block per search, separated by two blank lines (gnuplot's index).
void writeIterateData(const Report& report, OutputFile& out) {
    for (const SearchAccuracy& s : report.searches) {
        print(out, "# %s %s: iterate, point, |point - root|\n", s.program.c_str(), s.search.c_str());
        for (size_t k = 0; k < s.iterates.size(); ++k) {
            print(out, "%zu %.17g %.17g\n", k, s.iterates[k].point, s.iterates[k].error);
        }
        put(out, "\n\n");
    }
}

void printSummary(const Report& report, OutputFile& out) {
    print(out, "Exact values: %s; elementary functions: %s\n", report.exactArithmetic.c_str(),
          report.mathLibrary.c_str());
    for (const ColumnAccuracy& c : report.tables.columns) {
        print(out, "%-21s column %d %-8s max error %.2g, median %.2g, correctly rounded %s, %zu fragile lines\n",
              c.file.c_str(), c.column, c.evaluator.c_str(), c.maxError, c.medianError,
              percent(c.correctlyRounded, c.lines).c_str(), c.fragileLines.size());
    }
    const StepAccuracy& best = bestStep(report.steps, &StepAccuracy::maxError);
    print(out, "Finite-difference step: the largest error is smallest at h = %.0e (%.2g)\n", best.h, best.maxError);
    for (const SearchAccuracy& s : report.searches) {
        print(out, "%-17s %-13s error %.2g after %d %s, %s\n", s.program.c_str(), s.search.c_str(), s.error,
              s.iterations, s.orders.empty() ? "trial points" : "steps", s.robust ? "robust" : "not robust");
    }
}

}  // namespace xsin
