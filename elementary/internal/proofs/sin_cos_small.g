# Step 1 of sin and cos below 0.75: k = 0, so that rh = a and rl = 0, and
# the error bound E has no part for the reduction.
a = rnd(ax);
k = int<ne>(rnd(a * twoOverPi));
{ a in [@sinCosLeast@, 0.75] -> k in [0, 0] }
