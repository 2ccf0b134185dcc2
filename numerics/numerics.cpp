#include "numerics/numerics.h"

namespace xsin {

double f(double x) {
    return fWith<Math>(x);
}

double fp(double x) {
    return fpWith<Math>(x);
}

double fpfinite(double x) {
    return fpfiniteWith<Math>(x);
}

Dual af(Dual x) {
    return afOver(x);
}

}  // namespace xsin
