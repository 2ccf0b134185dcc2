#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace xsin::testing {

// Each test runs in a fresh temporary directory of its own, its working
// directory for the test's duration, removed afterwards: the programs and
// writers only ever write to the working directory.
class InTempDir : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string dir;

private:
    std::string previous;
};

std::string readFile(const std::string& path);
std::vector<std::string> readLines(const std::string& path);

// Writes text to path, replacing what was there.
void writeFile(const std::string& path, const std::string& text);

struct Run {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs a shell command line in the working directory and collects its exit
// status, standard output and standard error.
Run run(const std::string& commandLine);

// What body prints on standard output while it runs, through stdio or the
// project's own standard output (output/output.h).
std::string captureStdout(const std::function<void()>& body);

// The text printf("%.10f") gives: the precision of every table column.
std::string tenDecimals(double value);

}  // namespace xsin::testing
