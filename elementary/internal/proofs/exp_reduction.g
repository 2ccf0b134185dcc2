# Step 1 of exp (elementary/internal/fast_path.h, approximateExp): k =
# round(u 256/ln(2)), r = u - k ln(2)/256 computed as rh + rl. Proved: |r|
# <= ln(2)/512 (1 + 2^-33) and |rh + rl - r| <= 2^-94.9, as exp_evaluation.g
# takes them. TwoSum and TwoProduct as definitions (their exactness).
# ln(2)/256 = 1/ip, within 2^-53 relative of twoFiftySixOverLn2 and 2^-172
# of the three parts (approximations.sollya).
L = 1 / ip;
u = rnd(ux);
q = rnd(u * twoFiftySixOverLn2);
k = int<ne>(q);
# TwoProduct(k, L1), TwoSum(u, -kl1.hi), TwoProduct(k, L2), TwoSum(t.hi,
# -kl2.hi), TwoSum(s.hi, w).
kl1hi = rnd(k * ln2Over2560);
kl1lo = k * ln2Over2560 - kl1hi;
thi = rnd(u - kl1hi);
tlo = (u - kl1hi) - thi;
kl2hi = rnd(k * ln2Over2561);
kl2lo = k * ln2Over2561 - kl2hi;
shi = rnd(thi - kl2hi);
slo = (thi - kl2hi) - shi;
w = rnd(rnd(rnd(rnd(tlo - kl1lo) + slo) - kl2lo) - rnd(k * ln2Over2562));
rh = rnd(shi + w);
rl = (shi + w) - rh;
r = u - k * L;

{ u in [-@expMost@, @expMost@] /\ ip / twoFiftySixOverLn2 - 1 in [-0x1p-53, 0x1p-53]
  /\ ln2Over2560 + ln2Over2561 + ln2Over2562 - L in [-0x1p-172, 0x1p-172]
  -> r * ip in [-0x1.00000001p-1, 0x1.00000001p-1] /\ rh + rl - r in [-0x1.1p-95, 0x1.1p-95] }

r -> L * ((u * twoFiftySixOverLn2 - q) + (q - k) + u * twoFiftySixOverLn2 * (ip / twoFiftySixOverLn2 - 1));
rh + rl - r -> (w - (((tlo - kl1lo) + slo) - kl2lo - k * ln2Over2562))
   - k * (ln2Over2560 + ln2Over2561 + ln2Over2562 - L);
u - kl1hi -> r + k * (ln2Over2561 + ln2Over2562) - k * (ln2Over2560 + ln2Over2561 + ln2Over2562 - L) + kl1lo;
thi - kl2hi -> (u - kl1hi) - tlo - k * ln2Over2561 + kl2lo;
