#pragma once

#include <vector>

#include "accuracy_report/report.h"

// accuracy_report's measurements: every derivative the tables print, the
// finite-difference step, every root search and the walks, against exact
// values, with every number the report prints computed here.

namespace xsin {

Report measureEverything();

// gradient_timing's and gradient_table's tables.
DerivativeTables measureTables();

// The forward difference at h = 1e-1 ... 1e-15 over gradient_table's
// abscissas, with their exact derivatives from the tables.
Steps measureSteps(const DerivativeTables& tables);

// The searches as the programs run them.
Searches measureSearches();

Walks measureWalks();

// The middle value; for an even count, the mean of the two middle ones.
double median(std::vector<double> values);

}  // namespace xsin
