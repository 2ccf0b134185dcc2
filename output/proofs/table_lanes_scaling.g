# The first step of a table number in lanes (output/table_lanes.h,
# takeApart): for a = |v| below directLimit, y = RN(a 10^10), its nearest
# integer `units` (by the rounding shifter, int<ne>), and off = |y - units|
# as the code computes it. Proved: y is within 2^-10 of the exact X =
# a 10^10 (y < 2^44, so half an ulp of y is at most 2^-10); and where off is
# at most undecidedFrom, units is X rounded to the nearest integer, X lying
# more than 2^-10 away from a half: the lane is decided. Every lane it does
# not decide goes the exact scalar way (output/table_lines.cpp).
a = rnd(ax);
y = rnd(a * tenToTheTen);
units = int<ne>(y);
off = rnd(y - units);
X = a * 1e10;

{ a in [0, @directLimit@] /\ off / undecidedFrom in [-1, 1]
  -> y - X in [-0x1p-10, 0x1p-10] /\ units - X in [-0x1.ffp-2, 0x1.ffp-2] }

units - X -> (y - X) - (y - units);
y - units -> off - (off - (y - units));
off -> (off / undecidedFrom) * undecidedFrom;
