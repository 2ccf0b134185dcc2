# The splits of a table number in lanes (output/table_lanes.h, takeApart
# and eightDigits): units, an integer up to directLimit 10^10 (table_lanes_
# scaling.g), into the integer part and the ten decimals by 10^10, the
# decimals into the first two and the last eight by 10^8, then, in 16-bit
# lanes, the last eight's halves of four digits into pairs by 100 and the
# pairs into digits by 10. Each quotient q = floor(x / unit) of an integer x
# is computed as the nearest integer (the rounding shifter, int<ne>) to
# RN(RN(x (1/unit)) - (1/2 - 2^-38)). The hypothesis it rests on: x is an
# integer, so that its remainder x - floor(x / unit) unit lies in [0,
# unit - 1], the fraction of x / unit in [0, 1 - 1/unit]. Then RN(x
# (1/unit)) lies within 2^-40 of x / unit, and subtracting 1/2 - 2^-38
# leaves it strictly between q - 1/2 and q + 1/2.
# Proved: every quotient is the floor, every remainder x - q unit is exact,
# and the parts lie where the tables and the 32-bit lanes take them: the
# integer part at most directLimit (decimal::prefixes has a row for each),
# the first two decimals below 100, the last eight below 10^8. In 16-bit
# lanes x / 100 is floor(x 5243 / 2^19) for x below 10^4, and x / 10 is
# floor(x 6554 / 2^16) for x below 100 (the fractions of x / 100 and x / 10
# are at most 0.99 and 0.9, x being an integer).
x = int<ne>(xx);
t1 = rnd(x * tenToTheMinusTen);
u1 = rnd(t1 - justBelowHalf);
whole = int<ne>(u1);
wholeUnits = rnd(whole * tenToTheTen);
decimals = rnd(x - wholeUnits);
t2 = rnd(decimals * tenToTheMinusEight);
u2 = rnd(t2 - justBelowHalf);
first = int<ne>(u2);
firstUnits = rnd(first * tenToTheEight);
last = rnd(decimals - firstUnits);
# The exact quotients and the remainders the hypotheses bound.
n1 = int<dn>(x * 1e-10);
r1 = x - n1 * 1e10;
n2 = int<dn>(decimals * 1e-8);
r2 = decimals - n2 * 1e8;
# A half of four digits, below 10^4, and a pair, below 100: the 16-bit
# lanes' quotients are the floors of these, which are the quotients when
# they lie at least as far as the quotient's floor and less than 1 beyond.
h = int<ne>(hx);
hundreds = h * 5243 * 0x1p-19;
p = int<ne>(px);
tens = p * 6554 * 0x1p-16;

{ x / (directLimit * 1e10) in [0, 1] /\ r1 in [0, 9999999999] /\ r2 in [0, 99999999]
  /\ h in [0, 9999] /\ h * 0.01 - int<dn>(h * 0.01) in [0, 0.99]
  /\ p in [0, 99] /\ p * 0.1 - int<dn>(p * 0.1) in [0, 0.9]
  -> whole - n1 in [0, 0] /\ wholeUnits - whole * 1e10 in [0, 0] /\ decimals - (x - whole * 1e10) in [0, 0]
     /\ first - n2 in [0, 0] /\ firstUnits - first * 1e8 in [0, 0] /\ last - (decimals - first * 1e8) in [0, 0]
     /\ whole / directLimit in [0, 1] /\ first in [0, 99] /\ last in [0, 99999999]
     /\ hundreds - int<dn>(h * 0.01) in [0, 0.999] /\ tens - int<dn>(p * 0.1) in [0, 0.999] }

x -> (x / (directLimit * 1e10)) * (directLimit * 1e10);
u1 - n1 -> (t1 - x * tenToTheMinusTen) + x * (tenToTheMinusTen - 1e-10) + r1 * 1e-10 - justBelowHalf
   + (u1 - (t1 - justBelowHalf));
u2 - n2 -> (t2 - decimals * tenToTheMinusEight) + decimals * (tenToTheMinusEight - 1e-8) + r2 * 1e-8 - justBelowHalf
   + (u2 - (t2 - justBelowHalf));
hundreds - int<dn>(h * 0.01) -> (h * 0.01 - int<dn>(h * 0.01)) + h * (5243 * 0x1p-19 - 0.01);
tens - int<dn>(p * 0.1) -> (p * 0.1 - int<dn>(p * 0.1)) + p * (6554 * 0x1p-16 - 0.1);
decimals -> (decimals - (x - whole * 1e10)) - (whole - n1) * 1e10 + r1;
last -> (last - (decimals - first * 1e8)) - (first - n2) * 1e8 + r2;
