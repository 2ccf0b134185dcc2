// accuracy.json: the report's numbers for programs. Formatting only.

#include "accuracy_report/json_writer.h"
#include "accuracy_report/writers.h"

namespace xsin {

namespace {

using Layout = JsonWriter::Layout;

void writeColumn(JsonWriter& json, const ColumnAccuracy& c) {
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

void writeSearch(JsonWriter& json, const SearchAccuracy& s) {
    json.beginObject();
    json.member("program", s.program);
    json.member("search", s.search);
    json.member("true_root", s.truth.digits);
    json.member("returned", s.returned);
    json.member("abs_error", s.error);
    json.member("iterations", s.iterations);
    json.member("robust", s.robust);
    json.member("robustness", s.robustness);
    if (s.orders.empty()) {
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

}  // namespace

void writeJson(const Report& report, OutputFile& out) {
    JsonWriter json(out);
    json.beginObject();
    json.member("exact_arithmetic", report.exactArithmetic);
    json.member("elementary_functions", report.mathLibrary);
    json.member("library_answers_checked", report.fragility.library.checked);
    json.member("library_answers_beyond_one_ulp", report.fragility.library.outside);
    json.key("tables");
    json.beginArray();
    for (const ColumnAccuracy* column : report.tables.columns()) {
        writeColumn(json, *column);
    }
    json.endArray();
    json.key("finite_difference_steps");
    json.beginArray();
    for (const StepAccuracy& step : report.steps.all) {
        writeStep(json, step);
    }
    json.endArray();
    json.member("best_step_by_max_error", report.steps.bestByMax.h);
    json.member("best_step_by_median_error", report.steps.bestByMedian.h);
    json.key("roots");
    json.beginArray();
    for (const SearchAccuracy* search : report.searches.all()) {
        writeSearch(json, *search);
    }
    json.endArray();
    json.endObject();
}

}  // namespace xsin
