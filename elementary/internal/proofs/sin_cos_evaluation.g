# Steps 3 and 4 of sin and cos (elementary/internal/fast_path.h, kernel and
# evaluate): r = a + z, a = j/256 from the table, evaluated as
# X cos z + Y sin z = X + Y z + X (cos z - 1) + Y (sin z - z), with X = sin
# a and Y = cos a for sin r, X = cos a and Y = -sin a for cos r. Proved:
# the result is within relativeBound / 2 of that value, relative to its
# high part. The driver (run) runs it for ranges of j, each with the range
# of the table's values there, of z, and of the approximation errors
# (put in for TABLE, HYPOTHESES and HINTS): the table's rows are monotonic
# (approximations.sollya), so a range of rows is known by its first and last.
@TABLE@
zh = rnd(zhx);
zl = rnd(zlx);
c0 = cosCoefficients0;
c1 = cosCoefficients1;
c2 = cosCoefficients2;
s0 = sinCoefficients0;
s1 = sinCoefficients1;
s2 = sinCoefficients2;
z1 = rnd(zh + zl);
z2 = rnd(z1 * z1);
cm1 = rnd(z2 * rnd(c0 + rnd(z2 * rnd(c1 + rnd(z2 * c2)))));
smz = rnd(rnd(z1 * z2) * rnd(s0 + rnd(z2 * rnd(s1 + rnd(z2 * s2)))));
# The polynomials exactly, at z1 and at z = zh + zl.
z = zh + zl;
w = z * z;
w1 = z1 * z1;
PC = w * (c0 + w * (c1 + w * c2));
PC1 = w1 * (c0 + w1 * (c1 + w1 * c2));
PS = z * w * (s0 + w * (s1 + w * s2));
PS1 = z1 * w1 * (s0 + w1 * (s1 + w1 * s2));
# TwoProduct(Y, zh) and TwoSum(X, yz.hi), exact: as definitions.
yzhi = rnd(Y * zh);
yzlo = Y * zh - yzhi;
mainhi = rnd(X + yzhi);
mainlo = X + yzhi - mainhi;
# The small terms, summed as a tree.
tail = rnd(rnd(rnd(rnd(X * cm1) + rnd(Y * smz)) + rnd(XL + yzlo)) + rnd(rnd(Y * zl) + rnd(YL * zh)));
TE = ((X * cm1 + Y * smz) + (XL + yzlo)) + (Y * zl + YL * zh);
sum = rnd(mainlo + tail);
# FastTwoSum(main.hi, sum), exact; hi is the result's high part.
result = mainhi + sum;
hi = rnd(result);
# The exact value, with the exact table values X + XL + dX, Y + YL + dY, and
# the exact cos z - 1 = CM1 and sin z - z = SMZ.
Target = (X + XL + dX) * (1 + CM1) + (Y + YL + dY) * (z + SMZ);

{ @HYPOTHESES@
  -> (result - Target) / hi / relativeBound in [-0.5, 0.5] }

# The error term by term.
result - Target -> (sum - (mainlo + tail)) + (tail - TE) + X * ((cm1 - PC1) + (PC1 - PC) + (PC - CM1))
   + Y * ((smz - PS1) + (PS1 - PS) + (PS - SMZ)) - dX - (XL + dX) * CM1 - YL * zl - dY * z - (YL + dY) * SMZ;
PC1 - PC -> (z1 - z) * (z1 + z) * (c0 + (w1 + w) * c1 + (w1 * w1 + w1 * w + w * w) * c2);
PS1 - PS -> (z1 - z) * (s0 * (z1 * z1 + z1 * z + z * z)
   + s1 * (z1 * z1 * z1 * z1 + z1 * z1 * z1 * z + z1 * z1 * z * z + z1 * z * z * z + z * z * z * z)
   + s2 * (z1 * z1 * z1 * z1 * z1 * z1 + z1 * z1 * z1 * z1 * z1 * z + z1 * z1 * z1 * z1 * z * z + z1 * z1 * z1 * z * z * z
           + z1 * z1 * z * z * z * z + z1 * z * z * z * z * z + z * z * z * z * z * z));
# Those of the range of j at hand.
@HINTS@
