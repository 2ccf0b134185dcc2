#include "accuracy_report/faithful.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "binary64/binary64.h"
#include "elementary/correctly_rounded.h"
#include "elementary/elementary.h"

namespace xsin {

namespace {

enum Function : std::uint64_t { sine, cosine, exponential };

struct Enclosing {
    double below;
    double above;
};

struct Call {
    Function function;
    std::uint64_t bits;
};

// One exploration: the enclosing doubles of every call met so far, and, for
// the current run, its distinct calls in the order they came with the
// answer chosen for each.
struct Exploration {
    std::unordered_map<std::uint64_t, Enclosing> enclosing[3];
    std::vector<Call> met;
    std::vector<bool> aboveAt;   // the answer chosen at each position
    std::vector<bool> branches;  // whether the two answers differ there
    LibraryCheck check;
};

// Made at its first use and kept for the run, never destroyed: registering
// a destructor needs memory (a thread_local's does) that may not be there.
Exploration& exploration() {
    static Exploration* made = new Exploration;
    return *made;
}

Enclosing enclose(Function function, double u) {
    switch (function) {
    case sine:
        return {sinRounded(u, Rounding::down), sinRounded(u, Rounding::up)};
    case cosine:
        return {cosRounded(u, Rounding::down), cosRounded(u, Rounding::up)};
    case exponential:
        break;
    }
    return {expRounded(u, Rounding::down), expRounded(u, Rounding::up)};
}

double buildLibrary(Function function, double u) {
    switch (function) {
    case sine:
        return Math::sin(u);
    case cosine:
        return Math::cos(u);
    case exponential:
        break;
    }
    return Math::exp(u);
}

double answer(Function function, double u) {
    Exploration& e = exploration();
    const std::uint64_t bits = binary64::bits(u);
    auto known = e.enclosing[function].find(bits);
    if (known == e.enclosing[function].end()) {
        known = e.enclosing[function].emplace(bits, enclose(function, u)).first;
        const double library = buildLibrary(function, u);
        ++e.check.checked;
        if (library == library && library != known->second.below && library != known->second.above) {
            ++e.check.outside;
        }
    }
    const Enclosing& pair = known->second;

    size_t position = 0;
    while (position < e.met.size() && (e.met[position].function != function || e.met[position].bits != bits)) {
        ++position;
    }
    if (position == e.met.size()) {
        e.met.push_back({function, bits});
        // Positions up to the last one changed keep the answers set for
        // them; a position met for the first time starts below.
        if (e.aboveAt.size() < e.met.size()) {
            e.aboveAt.push_back(false);
            e.branches.push_back(false);
        }
        e.branches[position] = binary64::bits(pair.below) != binary64::bits(pair.above);
    }
    return e.aboveAt[position] ? pair.above : pair.below;
}

}  // namespace

double FaithfulMath::sin(double u) {
    return answer(sine, u);
}

double FaithfulMath::cos(double u) {
    return answer(cosine, u);
}

double FaithfulMath::exp(double u) {
    return answer(exponential, u);
}

bool forEveryFaithfulLibrary(const std::function<void()>& run, long maxRuns) {
    Exploration& e = exploration();
    for (auto& known : e.enclosing) {
        known.clear();
    }
    e.aboveAt.clear();
    e.branches.clear();
    for (long runs = 0; runs < maxRuns; ++runs) {
        e.met.clear();
        run();
        // The next library: like counting in binary, the last position that
        // still has its other answer to try takes it, and what came after it
        // is met afresh (another answer there may lead to other calls).
        size_t used = e.met.size();
        while (used > 0 && (e.aboveAt[used - 1] || !e.branches[used - 1])) {
            --used;
        }
        if (used == 0) {
            return true;
        }
        e.aboveAt.resize(used);
        e.branches.resize(used);
        e.aboveAt[used - 1] = true;
    }
    return false;
}

LibraryCheck libraryCheck() {
    return exploration().check;
}

}  // namespace xsin
