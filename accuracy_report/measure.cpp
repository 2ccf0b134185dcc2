#include "accuracy_report/measure.h"

#include <cmath>
#include <string>

#include "accuracy_report/exact.h"
#include "accuracy_report/faithful.h"
#include "binary64/binary64.h"
#include "elementary/elementary.h"

namespace xsin {

namespace {

// What the last bit of a sine moves f by at the walk's largest |x|, and the
// decimal place where the step's division puts it.
Fragility measureFragility(const DerivativeTables& tables, const Steps& steps) {
    Fragility fragility;
    fragility.lastBitOfF = binary64::unitRoundoff * tables.largestAbscissa;
    fragility.decimalPlace = -static_cast<int>(std::floor(std::log10(fragility.lastBitOfF / steps.programStep)));
    // Every exploration so far, the tables' and the searches'.
    fragility.library = libraryCheck();
    return fragility;
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
    report.steps = measureSteps(report.tables);
    report.searches = measureSearches();
    report.fragility = measureFragility(report.tables, report.steps);
    report.walks = measureWalks();
    return report;
}

}  // namespace xsin
