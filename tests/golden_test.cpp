// Every byte the programs print, pinned. The traces and the result lines
// do not depend on the last bit of any sine (accuracy_report finds every
// search robust), so they are compared with stored copies in every build.
// The tables do: there the stored truth is the checksum of the tables as
// the correctly rounded build writes them, which are the same on every
// machine, and a build's own tables may differ from those only on the
// lines that the fragility analysis lists.

#include <sys/stat.h>

#include <cstdio>
#include <iterator>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "support.h"

#ifdef GOLDEN_TABLES
#include <algorithm>

#include "accuracy_report/measure.h"
#include "elementary/correctly_rounded.h"
#include "experiments/experiments.h"
#include "numerics/numerics.h"
#include "numerics/walk.h"
#endif

namespace xsin {
namespace {

using testing::readFile;
using testing::run;

const std::string golden = GOLDEN_DIR;

struct Pinned {
    const char* program;
    const char* path;
    const char* file;  // nullptr: standard output
    const char* copy;  // in the golden folder
};

const Pinned pinned[] = {
    {"bisection_compare", BISECTION_COMPARE, "bolzano.txt", "bolzano.txt"},
    {"bisection_compare", BISECTION_COMPARE, "bolzano14.txt", "bolzano14.txt"},
    {"bisection_compare", BISECTION_COMPARE, nullptr, "bisection_compare.stdout"},
    {"bisection_newton", BISECTION_NEWTON, "bolzano.txt", "bolzano.txt"},
    {"bisection_newton", BISECTION_NEWTON, "newton.txt", "newton.txt"},
    {"bisection_newton", BISECTION_NEWTON, nullptr, "bisection_newton.stdout"},
    {"exp_bisection", EXP_BISECTION, nullptr, "exp_bisection.stdout"},
    {"gradient_table", GRADIENT_TABLE, nullptr, "empty"},
};

using Golden = testing::InTempDir;

TEST_F(Golden, TracesAndStandardOutputOfEveryProgramAreTheStoredBytes) {
    for (const Pinned& p : pinned) {
        SCOPED_TRACE(std::string(p.program) + " " + (p.file != nullptr ? p.file : "standard output"));
        mkdir(p.program, 0755);
        const auto result = run(std::string("cd ") + p.program + " && " + p.path);
        ASSERT_EQ(result.status, 0) << result.err;
        const std::string written = p.file != nullptr ? readFile(std::string(p.program) + "/" + p.file) : result.out;
        EXPECT_TRUE(written == readFile(golden + "/" + p.copy)) << "written:\n" << written;
    }
}

#ifdef GOLDEN_TABLES

// The tables as the correctly rounded build writes them, printed by
// printf: one line per abscissa of the walk.
struct Table {
    const char* file;
    experiments::Walk walk;
    std::vector<double (*)(double)> columns;  // after the abscissa
    const char* program;
};

const Table tables[] = {
    {"realgradients.txt", experiments::timedTables, {fpWith<CorrectlyRoundedMath>}, GRADIENT_TIMING},
    {"finitegradients.txt", experiments::timedTables, {fpfiniteWith<CorrectlyRoundedMath>}, GRADIENT_TIMING},
    {"autodiffgradients.txt", experiments::timedTables, {afDerivativeWith<CorrectlyRoundedMath>}, GRADIENT_TIMING},
    {"gradient.txt", experiments::sideBySideTable, {fpWith<CorrectlyRoundedMath>, fpfiniteWith<CorrectlyRoundedMath>},
     GRADIENT_TABLE},
};

std::string correctlyRounded(const Table& table) {
    std::string text;
    const auto walk = table.walk;
    walkAbscissa(walk.lo, walk.hi, static_cast<double>(walk.steps), [&](double x) {
        char field[64];
        std::snprintf(field, sizeof field, "%20.10lf", x);
        text += field;
        for (auto column : table.columns) {
            std::snprintf(field, sizeof field, " %20.10lf", column(x));
            text += field;
        }
        text += '\n';
    });
    return text;
}

std::vector<std::vector<std::string>> numbersByLine(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        lines.emplace_back();
        for (std::string field; fields >> field;) {
            lines.back().push_back(field);
        }
    }
    return lines;
}

TEST_F(Golden, TablesDifferFromTheCorrectlyRoundedOnesOnlyOnFragileLines) {
    mkdir("reference", 0755);
    for (const Table& table : tables) {
        testing::writeFile(std::string("reference/") + table.file, correctlyRounded(table));
    }
    const auto checksums = run("cd reference && sha256sum --check --quiet '" + golden + "/correctly_rounded.sha256'");
    ASSERT_EQ(checksums.status, 0) << checksums.out << checksums.err;

    ASSERT_EQ(run(GRADIENT_TIMING).status, 0);
    ASSERT_EQ(run(GRADIENT_TABLE).status, 0);
    const DerivativeTables analysis = measureTables();
    long differing = 0;
    for (const Table& table : tables) {
        SCOPED_TRACE(table.file);
        const auto written = numbersByLine(readFile(table.file));
        const auto reference = numbersByLine(readFile(std::string("reference/") + table.file));
        ASSERT_EQ(written.size(), reference.size());
        for (size_t line = 0; line < written.size(); ++line) {
            ASSERT_EQ(written[line].size(), reference[line].size()) << "line " << line + 1;
            for (size_t column = 0; column < written[line].size(); ++column) {
                if (written[line][column] == reference[line][column]) {
                    continue;
                }
                ++differing;
                bool fragile = false;
                for (const ColumnAccuracy* c : analysis.columns()) {
                    fragile = fragile || (c->file == table.file && c->column == static_cast<int>(column) + 1 &&
                                          std::binary_search(c->fragileLines.begin(), c->fragileLines.end(),
                                                             static_cast<long>(line) + 1));
                }
                EXPECT_TRUE(fragile) << "line " << line + 1 << ", column " << column + 1 << ": "
                                     << written[line][column] << " instead of " << reference[line][column];
            }
        }
    }
    if (std::is_same_v<Math, CorrectlyRoundedMath>) {
        EXPECT_EQ(differing, 0);
    }
}

// The text from the first line that starts with `from` to the end.
std::string from(const std::string& text, const std::string& start) {
    const size_t at = text.find("\n" + start);
    return at == std::string::npos ? "" : text.substr(at + 1);
}

// The numbers of a column of a data file, counted from 1.
std::vector<double> column(const std::string& path, size_t number) {
    std::vector<double> values;
    for (const auto& fields : numbersByLine(readFile(path))) {
        if (fields.size() >= number && fields[0] != "#") {
            values.push_back(std::stod(fields[number - 1]));
        }
    }
    return values;
}

// The values that follow "key": in the JSON text, in order.
std::vector<double> jsonNumbers(const std::string& json, const std::string& key) {
    std::vector<double> values;
    const std::string quoted = "\"" + key + "\": ";
    for (size_t at = json.find(quoted); at != std::string::npos; at = json.find(quoted, at + 1)) {
        values.push_back(std::stod(json.substr(at + quoted.size())));
    }
    return values;
}

// accuracy_report's files and summary. The correctly rounded build writes
// them the same on every machine: all pinned, its accuracy.md being
// docs/results.md. In the default build the searches and the walks do not
// depend on the math library (every search is robust): those parts, the
// data files' headers and lengths, and the medians against the errors
// listed.
TEST_F(Golden, AccuracyReportWritesThePinnedReport) {
    const auto result = run(ACCURACY_REPORT);
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string markdown = readFile("accuracy.md");
    const std::string results = readFile(RESULTS_MD);
    EXPECT_TRUE(from(markdown, "## Root searches") == from(results, "## Root searches"))
        << from(markdown, "## Root searches");
    EXPECT_TRUE(from(readFile("accuracy.json"), "  \"roots\"") == readFile(golden + "/accuracy_roots.json"));
    const std::string pinnedOut = readFile(golden + "/accuracy_report.stdout");
    EXPECT_EQ(from(result.out, "bisection_compare"), from(pinnedOut, "bisection_compare"));
    const auto iterates = run("grep ' accuracy_iterates.txt$' '" + golden + "/accuracy_report.sha256' | sha256sum --check --quiet");
    EXPECT_EQ(iterates.status, 0) << iterates.out << iterates.err;
    const auto headers = run("head -qn 1 accuracy_derivatives.txt accuracy_steps.txt");
    EXPECT_EQ(headers.out, readFile(golden + "/accuracy_data_headers.txt"));
    const std::vector<double> realErrors = column("accuracy_derivatives.txt", 3);
    EXPECT_EQ(realErrors.size(), static_cast<size_t>(measureWalks().lines));
    EXPECT_EQ(column("accuracy_steps.txt", 1).size(), std::size(experiments::finiteStepSweep));
    // The medians of gradient_timing's three tables, in accuracy.json's order.
    const std::vector<double> medians = jsonNumbers(readFile("accuracy.json"), "median_abs_error");
    ASSERT_GE(medians.size(), 3u);
    for (size_t table = 0; table < 3; ++table) {
        std::vector<double> errors = column("accuracy_derivatives.txt", 3 + table);
        std::sort(errors.begin(), errors.end());
        const size_t middle = errors.size() / 2;
        const double median = errors.size() % 2 == 1 ? errors[middle] : (errors[middle - 1] + errors[middle]) / 2;
        EXPECT_NEAR(medians[table], median, 1e-15 * median) << "table " << table + 1;
    }
    if (std::is_same_v<Math, CorrectlyRoundedMath>) {
        EXPECT_TRUE(markdown == results) << "docs/results.md is not what accuracy_report writes";
        EXPECT_EQ(result.out, readFile(golden + "/accuracy_report.stdout"));
        const auto checksums = run("sha256sum --check --quiet '" + golden + "/accuracy_report.sha256'");
        EXPECT_EQ(checksums.status, 0) << checksums.out << checksums.err;
    }
}

#endif

}  // namespace
}  // namespace xsin
