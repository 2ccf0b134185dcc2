// accuracy_report's writers on a small report made by hand: the text each
// must give, worked out by hand, and the verdicts that must follow the
// numbers beside them.

#include <cmath>
#include <string>
#include <vector>

#include "accuracy_report/json_writer.h"
#include "accuracy_report/writers.h"
#include "support.h"

namespace xsin {
namespace {

using testing::readFile;

ColumnAccuracy column(const char* file, int number, const char* evaluator, long correct) {
    ColumnAccuracy c;
    c.file = file;
    c.column = number;
    c.evaluator = evaluator;
    c.lines = 4;
    c.maxError = 0.5;
    c.maxErrorAt = -1.0;
    c.medianError = 0.25;
    c.correctlyRounded = correct;
    c.correctlyRoundedShare = static_cast<double>(correct) / 4;
    c.allCorrectlyRounded = correct == 4;
    c.fragileLines = {2, 3};
    return c;
}

SearchAccuracy search(const char* program, const char* name, long k, bool robust) {
    SearchAccuracy s;
    s.program = program;
    s.search = name;
    s.zero = {true, k};
    s.returned = -1.5;
    s.error = 0.125;
    s.iterations = 2;
    s.robust = robust;
    s.robustness = "checked";
    s.iterates = {{-1.0, 0.5}, {-1.5, 0.125}};
    s.narrowing = 0.5;
    return s;
}

// The fields of Walks in order: lo, hi, steps, step, the step against the
// quotient, lines, steps and ends, last, next, the end, whether lo + i*step
// lands on hi and its lines; then gradient_table's steps, step, hi, last
// abscissa and whether it is hi.

// [-10, 10] in 4 steps of 5 exactly: the walk lands on 10, in both tables.
const Walks walkOnItsEnd{-10.0, 10.0, 4,    5.0, Relation::exactly, 5, 5, 10.0, 15.0, WalkEnd::onHi, true, 5, 4,
                         5.0,   10.0, 10.0, true};

// [0, 1] in 10 steps of the double 0.1, a little above 1/10: ten additions
// stay below 1 and the next passes it.
const Walks walkBelowItsEnd{
    0.0, 1.0, 10,  0.1, Relation::above,   11,   11, 0.9999999999999999, 1.0999999999999999, WalkEnd::pastHi, true,
    11,  10,  0.1, 1.0, 0.999999999999875, false};

// Four lines per table, fp correctly rounded on `correct` of them; three
// of the four searches robust unless all are.
Report handMade(long correct, bool allRobust) {
    Report r;
    r.exactArithmetic = "exact";
    r.mathLibrary = "library";
    DerivativeTables& t = r.tables;
    t.real = column("r.txt", 2, "fp", correct);
    t.finite = column("f.txt", 2, "fpfinite", 0);
    t.autodiff = column("a.txt", 2, "af", 1);
    t.sideBySideReal = column("g.txt", 2, "fp", 2);
    t.sideBySideFinite = column("g.txt", 3, "fpfinite", 0);
    r.steps.all = {{0.1, 2.0, 1.0, 1.5, 0.5}, {0.01, 0.25, 0.125, 0.5, 0.75}};
    r.steps.bestByMax = r.steps.bestByMedian = r.steps.all[1];
    Searches& s = r.searches;
    s.midpoint = search("p", "mid", 3, true);
    s.quarterPoint = search("p", "quarter", 7, true);
    s.newton = search("q", "newton", 3, true);
    s.newton.kind = SearchKind::newton;
    s.newton.orders = {2.0};
    s.expEquation = search("e", "exp", 0, allRobust);
    s.robustCount = allRobust ? 4 : 3;
    s.allRobust = allRobust;
    s.bracketingFindSameZero = false;
    r.walks = walkOnItsEnd;
    r.walks.lines = 4;  // one short
    r.walks.end = WalkEnd::pastHi;
    return r;
}

std::string written(void (*write)(const Report&, OutputFile&), const Report& report) {
    {
        OutputFile out("written");
        write(report, out);
    }
    return readFile("written");
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

using ReportWriters = testing::InTempDir;

TEST_F(ReportWriters, JsonPlacesCommasEscapesAndShortestNumbers) {
    {
        OutputFile out("json");
        JsonWriter json(out);
        json.beginObject();
        json.member("name", "a \"quoted\" \\ line\n");
        json.member("third", 1.0 / 3);
        json.member("tiny", 1e-300);
        json.member("nan", std::nan(""));
        json.key("list");
        json.array(std::vector<long>{1, 2, 3});
        json.key("empty");
        json.beginArray();
        json.endArray();
        json.key("rows");
        json.beginArray();
        json.beginObject(JsonWriter::Layout::oneLine);
        json.member("x", 0.1);
        json.member("ok", true);
        json.endObject();
        json.beginObject(JsonWriter::Layout::oneLine);
        json.endObject();
        json.endArray();
        json.endObject();
    }
    EXPECT_EQ(readFile("json"),
              "{\n"
              "  \"name\": \"a \\\"quoted\\\" \\\\ line\\u000a\",\n"
              "  \"third\": 0.3333333333333333,\n"
              "  \"tiny\": 1e-300,\n"
              "  \"nan\": null,\n"
              "  \"list\": [1, 2, 3],\n"
              "  \"empty\": [],\n"
              "  \"rows\": [\n"
              "    {\"x\": 0.1, \"ok\": true},\n"
              "    {}\n"
              "  ]\n"
              "}\n");
}

// The two best steps differ here, and each goes under its own name.
TEST_F(ReportWriters, JsonReportNamesEachBestStep) {
    Report report = handMade(1, true);
    report.steps.bestByMedian = report.steps.all[0];
    EXPECT_TRUE(has(written(writeJson, report),
                    "  \"best_step_by_max_error\": 0.01,\n  \"best_step_by_median_error\": 0.1,\n"));
}

TEST_F(ReportWriters, SummaryFormatsEveryColumnStepAndSearch) {
    EXPECT_EQ(
        written(printSummary, handMade(1, false)),
        "Exact values: exact; elementary functions: library\n"
        "r.txt                 column 2 fp       max error 0.5, median 0.25, correctly rounded 25.0 %, 2 fragile "
        "lines\n"
        "f.txt                 column 2 fpfinite max error 0.5, median 0.25, correctly rounded 0.0 %, 2 fragile lines\n"
        "a.txt                 column 2 af       max error 0.5, median 0.25, correctly rounded 25.0 %, 2 fragile "
        "lines\n"
        "g.txt                 column 2 fp       max error 0.5, median 0.25, correctly rounded 50.0 %, 2 fragile "
        "lines\n"
        "g.txt                 column 3 fpfinite max error 0.5, median 0.25, correctly rounded 0.0 %, 2 fragile lines\n"
        "Finite-difference step: the largest error is smallest at h = 1e-02 (0.25)\n"
        "p                 mid           error 0.12 after 2 trial points, robust\n"
        "p                 quarter       error 0.12 after 2 trial points, robust\n"
        "q                 newton        error 0.12 after 2 steps, robust\n"
        "e                 exp           error 0.12 after 2 trial points, not robust\n");
}

TEST_F(ReportWriters, PlotDataHasALinePerStepAndPerIterate) {
    const Report report = handMade(1, true);
    EXPECT_EQ(written(writeStepData, report),
              "# h  max error  median error  truncation estimate  rounding estimate\n"
              "0.10000000000000001 2 1 1.5 0.5\n"
              "0.01 0.25 0.125 0.5 0.75\n");
    const std::string iterates = written(writeIterateData, report);
    EXPECT_EQ(iterates.substr(0, iterates.find("# p quarter")),
              "# p mid: iterate, point, |point - root|\n0 -1 0.5\n1 -1.5 0.125\n\n\n");
}

// The verdicts follow the counts: "correctly rounded" only when every
// result is, "robust" only when every search is.
TEST_F(ReportWriters, MarkdownVerdictsFollowTheirNumbers) {
    const std::string some = written(writeMarkdown, handMade(1, false));
    EXPECT_TRUE(has(some, "| r.txt | 2 | `fp` | 4 | 0.5 | -1.0000 | 0.25 | 1 (25.0 %) | 2 |\n")) << some;
    EXPECT_TRUE(has(some,
                    "**The closed form is not correctly rounded.** `fp` evaluates the textbook formula, yet "
                    "it is the correctly rounded derivative on only 25.0 % of the 4 abscissas"));
    EXPECT_TRUE(has(some, "**Not all robust.**"));
    EXPECT_TRUE(has(some, "3 of the 4 searches are robust:"));
    EXPECT_TRUE(has(some, "at -√(3π), where |f′| = 0π, and 0 at -√(7π)"));
    EXPECT_TRUE(has(some, "**Why Newton finds the same root.**"));
    EXPECT_TRUE(has(some, "- Fragile lines of r.txt, column 2: 2, 3.\n"));
    EXPECT_TRUE(has(some, "## 4 lines, not 5\n"));

    const std::string all = written(writeMarkdown, handMade(4, true));
    EXPECT_TRUE(has(all,
                    "**The closed form is correctly rounded.** `fp` evaluates the textbook formula, and it is "
                    "the correctly rounded derivative on 100.0 % of the 4 abscissas"));
    EXPECT_TRUE(has(all, "**Robust.**"));
    EXPECT_TRUE(has(all, "None of the 4 traces, nor any printed root, could change."));
}

// The sentences that depend on where a walk ends, how tight a bound is and
// where the last bit of a sine lands, as they must read.
TEST_F(ReportWriters, MarkdownSaysTrueSentencesAtTheEdges) {
    Report report = handMade(1, true);
    report.walks = walkOnItsEnd;
    report.tables.real.largestShareOfBound = 0.5;
    report.tables.real.boundTight = true;
    report.fragility.decimalPlace = 12;
    std::string text = written(writeMarkdown, report);
    EXPECT_TRUE(has(text,
                    "## 5 lines, as the 4 steps and the start give\n\n"
                    "The step 20/4 is the double 5 exactly, and the abscissa is accumulated by 4 rounded additions. "
                    "It reaches 10 itself for the last line, so a line is written for 10. An abscissa computed as "
                    "-10 + i·step would land exactly on 10 and give 5 lines. In `gradient_table` the 4 additions of "
                    "5 stay on 10 (10), so its last line is for 10.0000000000.\n"))
        << text;
    EXPECT_TRUE(has(text, "reaches 50 % of it (at x = 0.0000): the bound is tight."));
    EXPECT_TRUE(has(text, "at the twelfth decimal and below"));

    report.walks = walkBelowItsEnd;
    report.tables.real.largestShareOfBound = 0.01;
    report.tables.real.boundTight = false;
    text = written(writeMarkdown, report);
    EXPECT_TRUE(has(text,
                    "## 11 lines, as the 10 steps and the start give\n\n"
                    "The step 1/10 is stored as the double 0.100000000000000005551115…, a little above 0.1, and the "
                    "abscissa is accumulated by 10 rounded additions. It reaches 0.9999999999999999 for the last "
                    "line and then 1.0999999999999999, just above 1, so no line is written for 1. An abscissa "
                    "computed as 0 + i·step would land exactly on 1 and give 11 lines. In `gradient_table` the 10 "
                    "additions of 0.1 stay just below 1 (0.999999999999875), so its last line is for 1.0000000000.\n"))
        << text;
    EXPECT_TRUE(has(text, "reaches 1 % of it (at x = 0.0000): the bound is far from reached."));
}

}  // namespace
}  // namespace xsin
