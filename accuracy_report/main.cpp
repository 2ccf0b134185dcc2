#include <string>
#include <vector>

#include "accuracy_report/measure.h"
#include "accuracy_report/writers.h"
#include "elementary/correctly_rounded.h"
#include "output/output.h"
#include "program/program.h"

namespace {

using namespace xsin;

const struct {
    const char* name;
    void (*write)(const Report&, OutputFile&);
    const char* what;
} files[] = {
    {"accuracy.json", writeJson, "every number of the report, for programs"},
    {"accuracy.md", writeMarkdown, "the report: tables, and what they mean"},
    {"accuracy_derivatives.txt", writeDerivativeData, "per abscissa of gradient_timing: the errors"},
    {"accuracy_steps.txt", writeStepData, "per finite-difference step: the errors"},
    {"accuracy_iterates.txt", writeIterateData, "per iterate of every search: the error"},
};

void describe(OutputFile& out) {
    out.put(
        "Measure every result of gradient_timing, gradient_table, bisection_compare,\n"
        "bisection_newton and exp_bisection against exact values computed with MPFR,\n"
        "find the lines another math library could print otherwise, and print a\n"
        "summary.\n"
        "\nWrites, in the working directory, replacing files of these names:\n");
    for (const auto& file : files) {
        out.print("  %-25s %s\n", file.name, file.what);
    }
}

// Measures every derivative the tables print and every root search against
// exact values, and writes what it found into the working directory.
void report() {
    mpfrReportsOutOfMemory();
    const Report report = measureEverything();
    std::vector<std::string> wrote;
    for (const auto& file : files) {
        OutputFile out(file.name);
        if (out.isOpen()) {
            file.write(report, out);
        }
        if (out.close()) {
            wrote.push_back(file.name);
        }
    }
    printSummary(report, standardOutput());
    // Only what was written whole: the failures are reported already.
    std::string list;
    for (size_t i = 0; i < wrote.size(); ++i) {
        list += (i == 0 ? "" : i + 1 == wrote.size() ? " and " : ", ") + wrote[i];
    }
    if (!list.empty()) {
        standardOutput().print("Wrote %s\n", list.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    return runProgram({"accuracy_report", describe, report}, argc, argv);
}
