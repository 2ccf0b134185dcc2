// accuracy.json: the report's numbers for programs. Formatting only.

#include "accuracy_report/json_writer.h"
#include "accuracy_report/writers.h"

namespace xsin {

namespace {

using Layout = JsonWriter::Layout;

void writeColumn(JsonWriter& json, const ColumnAccuracy* column) {
    const ColumnAccuracy& c = *column;
    json.beginObject();
    json.member("file", c.file);
    json.member("column", c.column);
    json.member("evaluator", c.evaluator);
    json.member("lines", c.lines);
    json.member("max_abs_error", c.maxError);
    json.member("max_abs_error_at", c.maxErrorAt);
    json.member("median_abs_error", c.medianError);
    json.member("correctly_rounded", c.correctlyRounded);
    json.member("lines_beyond_bound", c.beyondBound);
    json.member("largest_share_of_bound", c.largestShareOfBound);
    json.key("fragile_lines");
    json.array(c.fragileLines);
    json.endObject();
}

void writeStep(JsonWriter& json, const StepAccuracy& s) {
    json.beginObject(Layout::oneLine);
    json.member("h", s.h);
    json.member("max_abs_error", s.maxError);
    json.member("median_abs_error", s.medianError);
    json.member("truncation_estimate", s.truncation);
    json.member("rounding_estimate", s.rounding);
    json.endObject();
}

void writeSearch(JsonWriter& json, const SearchAccuracy* search) {
    const SearchAccuracy& s = *search;
    json.beginObject();
    json.member("program", s.program);
    json.member("search", s.search);
    json.member("true_root", s.truth.digits);
    json.member("returned", s.returned);
    json.member("abs_error", s.error);
    json.member("iterations", s.iterations);
    json.member("robust", s.robust);
    json.member("robustness", s.robustness);
    if (s.kind == SearchKind::bracketing) {
        json.member("narrowing_per_trial", s.narrowing);
    } else {
        json.key("orders");
        json.array(s.orders);
    }
    json.key("iterates");
    json.beginArray();
    for (const Iterate& iterate : s.iterates) {
        json.beginObject(Layout::oneLine);
        json.member("point", iterate.point);
        json.member("abs_error", iterate.error);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

// An array of objects, one a line.
template <class Items, class Write>
void writeArray(JsonWriter& json, const char* name, const Items& items, Write write) {
    json.key(name);
    json.beginArray();
    for (const auto& item : items) {
        write(json, item);
    }
    json.endArray();
}

}  // namespace

void writeJson(const Report& report, OutputFile& out) {
    JsonWriter json(out);
    json.beginObject();
    json.member("exact_arithmetic", report.exactArithmetic);
    json.member("elementary_functions", report.mathLibrary);
    json.member("library_answers_checked", report.fragility.library.checked);
    json.member("library_answers_beyond_one_ulp", report.fragility.library.outside);
    writeArray(json, "tables", report.tables.columns(), writeColumn);
    writeArray(json, "finite_difference_steps", report.steps.all, writeStep);
    json.member("best_step_by_max_error", report.steps.bestByMax.h);
    json.member("best_step_by_median_error", report.steps.bestByMedian.h);
    writeArray(json, "roots", report.searches.all(), writeSearch);
    json.endObject();
}

}  // namespace xsin
