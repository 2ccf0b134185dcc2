#include "accuracy/report.h"
#include "output/output.h"

namespace {

void writeFile(const char* name, void (*write)(const xsin::Report&, xsin::OutputFile&), const xsin::Report& report) {
    xsin::OutputFile file = xsin::openOutput(name);
    if (file.stream != nullptr) {
        write(report, file);
        xsin::closeOutput(file);
    }
}

}  // namespace

// Measures every derivative the tables print and every root search against
// exact values, and writes what it found into the working directory.
int main() {
    const xsin::Report report = xsin::measureEverything();
    writeFile("accuracy.json", xsin::writeJson, report);
    writeFile("accuracy.md", xsin::writeMarkdown, report);
    writeFile("accuracy_derivatives.txt", xsin::writeDerivativeData, report);
    writeFile("accuracy_steps.txt", xsin::writeStepData, report);
    writeFile("accuracy_iterates.txt", xsin::writeIterateData, report);
    xsin::printSummary(report, xsin::standardOutput());
    return xsin::exitStatus();
}
