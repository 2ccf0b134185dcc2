#pragma once

#include <string>

#include "output/output.h"

// The traces of the root searches, one line writer per format. The programs
// write them and accuracy_report compares them under other math libraries,
// both through these.

namespace xsin {

// A number as the traces and the result lines print it: six decimals, no
// field width.
std::string sixDecimals(double value);

// A line of a bracketing trace: a bracket [a, b] and f at a trial point.
std::string bracketLine(double a, double b, double ft);

// A line of a Newton trace: an iterate and f there.
std::string newtonLine(double x, double fx);

// Reporters for the searches (roots/search.h) that write each trial point
// or step as a line of a trace.
class BracketLines {
public:
    explicit BracketLines(OutputFile& trace) : out(trace) {}
    void operator()(double a, double b, double /*t*/, double ft) const {
        const std::string line = bracketLine(a, b, ft);
        out.put(line.data(), line.size());
    }

private:
    OutputFile& out;
};

class NewtonLines {
public:
    explicit NewtonLines(OutputFile& trace) : out(trace) {}
    void operator()(double x, double fx) const {
        const std::string line = newtonLine(x, fx);
        out.put(line.data(), line.size());
    }

private:
    OutputFile& out;
};

}  // namespace xsin
