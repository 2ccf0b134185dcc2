#pragma once

#include <cstdio>
#include <string>

// Small formatting helpers of accuracy_report's writers.

namespace xsin::text {

// Formats like printf, into a string.
template <class... Args>
std::string format(const char* pattern, Args... args) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

// A share as a percentage with one decimal: "18.1 %".
inline std::string percent(double share) {
    return format("%.1f %%", 100.0 * share);
}

}  // namespace xsin::text
