#include <string>
#include <vector>

#include "accuracy_report/measure.h"
#include "accuracy_report/writers.h"
#include "elementary/correctly_rounded.h"
#include "output/output.h"
#include "program/program.h"

// Measures every derivative the tables print and every root search against
// exact values, and writes what it found into the working directory.
int main() {
    return xsin::runProgram("accuracy_report", [] {
        xsin::mpfrReportsOutOfMemory();
        const xsin::Report report = xsin::measureEverything();
        const struct {
            const char* name;
            void (*write)(const xsin::Report&, xsin::OutputFile&);
        } files[] = {
            {"accuracy.json", xsin::writeJson},
            {"accuracy.md", xsin::writeMarkdown},
            {"accuracy_derivatives.txt", xsin::writeDerivativeData},
            {"accuracy_steps.txt", xsin::writeStepData},
            {"accuracy_iterates.txt", xsin::writeIterateData},
        };
        std::vector<std::string> wrote;
        for (const auto& file : files) {
            xsin::OutputFile out(file.name);
            if (out.isOpen()) {
                file.write(report, out);
            }
            if (out.close()) {
                wrote.push_back(file.name);
            }
        }
        xsin::printSummary(report, xsin::standardOutput());
        // Only what was written whole: the failures are reported already.
        std::string list;
        for (size_t i = 0; i < wrote.size(); ++i) {
            list += (i == 0 ? "" : i + 1 == wrote.size() ? " and " : ", ") + wrote[i];
        }
        if (!list.empty()) {
            xsin::print(xsin::standardOutput(), "Wrote %s\n", list.c_str());
        }
    });
}
