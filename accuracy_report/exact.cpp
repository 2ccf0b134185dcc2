#include "accuracy_report/exact.h"

#include <mpfr.h>

#include <cmath>

#include "elementary/mpfr_split.h"

namespace xsin {

namespace {

// A number of exactBits bits for one computation.
struct Register {
    mpfr_t value;
    Register() { mpfr_init2(value, exactBits); }
    ~Register() { mpfr_clear(value); }
    Register(const Register&) = delete;
    Register& operator=(const Register&) = delete;
    operator mpfr_ptr() { return value; }
};

ExactRoot exactRoot(mpfr_ptr root) {
    char* text = nullptr;
    mpfr_asprintf(&text, "%.30Rg", root);
    ExactRoot result{toDoubleDouble(root), text};
    mpfr_free_str(text);
    return result;
}

}  // namespace

DoubleDouble exactDerivative(double x) {
    // Made at the first call and kept for the run: statics without a
    // destructor, since registering one needs memory (a thread_local's
    // does) that may not be there.
    static mpfr_t u, s, c, sum;
    static const bool made = (mpfr_inits2(exactBits, u, s, c, sum, static_cast<mpfr_ptr>(nullptr)), true);
    (void)made;
    mpfr_set_d(u, x, MPFR_RNDN);
    mpfr_sqr(u, u, MPFR_RNDN);  // exact: 106 bits at most
    mpfr_sin_cos(s, c, u, MPFR_RNDN);
    mpfr_mul(c, c, u, MPFR_RNDN);
    mpfr_mul_2ui(c, c, 1, MPFR_RNDN);
    mpfr_add(sum, s, c, MPFR_RNDN);
    return toDoubleDouble(sum);
}

ExactRoot sinSquareZeroNear(double x) {
    Register root;
    const long k = std::lround(x * x / M_PI);
    mpfr_const_pi(root, MPFR_RNDN);
    mpfr_mul_si(root, root, k, MPFR_RNDN);
    mpfr_sqrt(root, root, MPFR_RNDN);
    if (x < 0) {
        mpfr_neg(root, root, MPFR_RNDN);
    }
    return exactRoot(root);
}

ExactRoot expEquationZero() {
    // Newton's iteration x -= (e^x + x - 5)/(e^x + 1), which doubles the
    // correct digits at every step: twelve steps from 1.3 are ample.
    Register x, e, g, slope;
    mpfr_set_d(x, 1.3, MPFR_RNDN);
    for (int step = 0; step < 12; ++step) {
        mpfr_exp(e, x, MPFR_RNDN);
        mpfr_add(g, e, x, MPFR_RNDN);
        mpfr_sub_ui(g, g, 5, MPFR_RNDN);
        mpfr_add_ui(slope, e, 1, MPFR_RNDN);
        mpfr_div(g, g, slope, MPFR_RNDN);
        mpfr_sub(x, x, g, MPFR_RNDN);
    }
    return exactRoot(x);
}

std::string mpfrVersion() {
    return std::string("MPFR ") + mpfr_get_version();
}

}  // namespace xsin
