# Step 1 of sin and cos (elementary/internal/fast_path.h, reduce): a =
# |u| with k = round(a 2/pi) (below 0.75 k is 0, sin_cos_small.g, and r = a
# exactly), r = a - k pi/2 computed as rh + rl. Proved: |r| <= pi/4 (1 +
# 2^-40), so that the table has a row for every j, and |rh + rl - r| <=
# reductionBound / 2. TwoSum as definitions (its exactness); that k Pi,
# a - k P1 are exact, Gappa proves.
# pi/2 = 1/ip, within 2^-54 of twoOverPi and 2^-140 of the three parts
# (approximations.sollya).
H = 1 / ip;
a = rnd(ax);
q = rnd(a * twoOverPi);
k = int<ne>(q);
kP1 = rnd(k * halfPi0);
kP2 = rnd(k * halfPi1);
t = rnd(a - kP1);
# TwoSum(t, -k P2) = s + e, TwoSum(s, w) = rh + rl.
s = rnd(t - kP2);
e = (t - kP2) - s;
w = rnd(e - rnd(k * halfPi2));
rh = rnd(s + w);
rl = (s + w) - rh;
r = a - k * H;

{ a in [0.75, @sinCosMost@] /\ ip - twoOverPi in [-0x1p-54, 0x1p-54]
  /\ halfPi0 + halfPi1 + halfPi2 - H in [-0x1p-140, 0x1p-140]
  -> t - (a - kP1) in [0, 0] /\ kP2 - k * halfPi1 in [0, 0]
     /\ r * ip in [-0x1.00000000002p-1, 0x1.00000000002p-1]
     /\ (rh + rl - r) / reductionBound in [-0.5, 0.5] }

r -> H * ((a * twoOverPi - q) + (q - k) + a * (ip - twoOverPi));
a - kP1 -> r + k * (halfPi1 + halfPi2) - k * (halfPi0 + halfPi1 + halfPi2 - H) - (kP1 - k * halfPi0);
rh + rl - r -> (t - (a - kP1)) - (kP1 - k * halfPi0) - (kP2 - k * halfPi1) + (w - (e - k * halfPi2))
   - k * (halfPi0 + halfPi1 + halfPi2 - H);
