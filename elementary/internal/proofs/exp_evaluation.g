# Steps 2 to 5 of exp (elementary/internal/fast_path.h, approximateExp):
# exp(u) = 2^(k >> 8) T e^r', T = 2^((k mod 256)/256) = Th + Tl from the
# table, r' = rh + rl the reduced argument, evaluated as T + T r' + T (e^r'
# - 1 - r'). Proved: the result is within relativeBound / 2 of T e^r, r the
# exact reduced argument, relative to its high part; the scaling by 2^(k >>
# 8) is exact. The table's rows differ by at most a factor of 2 (1 <= T <
# 2, approximations.sollya).
Th = rnd(Thx);
Tl = rnd(Tlx);
rh = rnd(rhx);
rl = rnd(rlx);
e0 = expCoefficients0;
e1 = expCoefficients1;
e2 = expCoefficients2;
e3 = expCoefficients3;
e4 = expCoefficients4;
r1 = rnd(rh + rl);
r2 = rnd(r1 * r1);
p = rnd(r2 * rnd(e0 + rnd(r1 * rnd(e1 + rnd(r1 * rnd(e2 + rnd(r1 * rnd(e3 + rnd(r1 * e4)))))))));
# The polynomial exactly, at r1 and at r' = rh + rl.
r = rh + rl;
PE = r * r * (e0 + r * (e1 + r * (e2 + r * (e3 + r * e4))));
PE1 = r1 * r1 * (e0 + r1 * (e1 + r1 * (e2 + r1 * (e3 + r1 * e4))));
# TwoProduct(Th, rh) and TwoSum(Th, tr.hi), exact: as definitions.
trhi = rnd(Th * rh);
trlo = Th * rh - trhi;
mainhi = rnd(Th + trhi);
mainlo = Th + trhi - mainhi;
tail = rnd(rnd(rnd(rnd(Th * p) + Tl) + trlo) + rnd(rnd(Th * rl) + rnd(Tl * rh)));
TE = ((Th * p + Tl) + trlo) + (Th * rl + Tl * rh);
sum = rnd(mainlo + tail);
# FastTwoSum(main.hi, sum), exact.
result = mainhi + sum;
hi = rnd(result);
# The exact value at r': (Th + Tl + dT) (1 + r' + EM), EM = e^r' - 1 - r';
# at the exact r, F = e^(r - r') times that.
V = (Th + Tl + dT) * (1 + r + EM);
Target = V * F;

{ Th in [1, 2] /\ Tl / Th in [-0x1p-53, 0x1p-53] /\ dT / Th in [-0x1p-106, 0x1p-106]
  /\ rh in [-0x1.62e43p-10, 0x1.62e43p-10] /\ rl in [-0x1p-63, 0x1p-63]
  /\ EM - PE in [-@epsExp@, @epsExp@] /\ F - 1 in [-0x1p-94, 0x1p-94]
  -> (result - Target) / hi / relativeBound in [-0.5, 0.5] }

result - Target -> (result - V) - V * (F - 1);
result - V -> (sum - (mainlo + tail)) + (tail - TE) + Th * ((p - PE1) + (PE1 - PE) + (PE - EM)) - Tl * rl - Tl * EM
   - dT * (1 + r + EM);
PE1 - PE -> (r1 - r) * (e0 * (r1 + r) + e1 * (r1 * r1 + r1 * r + r * r)
   + e2 * (r1 * r1 * r1 + r1 * r1 * r + r1 * r * r + r * r * r)
   + e3 * (r1 * r1 * r1 * r1 + r1 * r1 * r1 * r + r1 * r1 * r * r + r1 * r * r * r + r * r * r * r)
   + e4 * (r1 * r1 * r1 * r1 * r1 + r1 * r1 * r1 * r1 * r + r1 * r1 * r1 * r * r + r1 * r1 * r * r * r
           + r1 * r * r * r * r + r * r * r * r * r));
Tl -> (Tl / Th) * Th;
dT -> (dT / Th) * Th;
