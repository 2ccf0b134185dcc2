# Step 4 of sin where j = 0, |r| <= 2^-9: S = 0 and C = 1 exactly, so that
# in sin_cos_evaluation.g (X = 0, Y = 1) every product and sum by them is
# exact and the result is zh + RN(smz + zl). Proved, relative to it as
# there: r may be tiny (at least 2^-100, approximations.sollya), and the
# relative error of sin z - z is certified down to there.
zh = rnd(zhx);
zl = rnd(zlx);
s0 = sinCoefficients0;
s1 = sinCoefficients1;
s2 = sinCoefficients2;
z1 = rnd(zh + zl);
z2 = rnd(z1 * z1);
smz = rnd(rnd(z1 * z2) * rnd(s0 + rnd(z2 * rnd(s1 + rnd(z2 * s2)))));
tail = rnd(smz + zl);
# FastTwoSum(zh, tail), exact.
result = zh + tail;
hi = rnd(result);
z = zh + zl;
w = z * z;
PS = z * w * (s0 + w * (s1 + w * s2));
# The exact value, sin z - z = SMZ.
Target = z + SMZ;

{ zh in [0x1p-100, 0x1p-9] /\ zl / zh in [-0x1p-53, 0x1p-53]
  /\ (SMZ - PS) / PS in [-@epsSinRelative@, @epsSinRelative@]
  -> (result - Target) / hi / relativeBound in [-0.5, 0.5] }

result - Target -> (tail - (smz + zl)) + (smz - PS) - PS * ((SMZ - PS) / PS);
zl -> (zl / zh) * zh;
$ zh in (0x1p-10, 0x1p-11, 0x1p-12, 0x1p-13, 0x1p-14, 0x1p-15, 0x1p-16, 0x1p-17, 0x1p-18, 0x1p-19,
          0x1p-20, 0x1p-21, 0x1p-22, 0x1p-23, 0x1p-24, 0x1p-25, 0x1p-26, 0x1p-27, 0x1p-28, 0x1p-29,
          0x1p-30, 0x1p-31, 0x1p-32, 0x1p-33, 0x1p-34, 0x1p-35, 0x1p-36, 0x1p-37, 0x1p-38, 0x1p-39,
          0x1p-40, 0x1p-41, 0x1p-42, 0x1p-43, 0x1p-44, 0x1p-45, 0x1p-46, 0x1p-47, 0x1p-48, 0x1p-49,
          0x1p-50, 0x1p-51, 0x1p-52, 0x1p-53, 0x1p-54, 0x1p-55, 0x1p-56, 0x1p-57, 0x1p-58, 0x1p-59,
          0x1p-60, 0x1p-61, 0x1p-62, 0x1p-63, 0x1p-64, 0x1p-65, 0x1p-66, 0x1p-67, 0x1p-68, 0x1p-69,
          0x1p-70, 0x1p-71, 0x1p-72, 0x1p-73, 0x1p-74, 0x1p-75, 0x1p-76, 0x1p-77, 0x1p-78, 0x1p-79,
          0x1p-80, 0x1p-81, 0x1p-82, 0x1p-83, 0x1p-84, 0x1p-85, 0x1p-86, 0x1p-87, 0x1p-88, 0x1p-89,
          0x1p-90, 0x1p-91, 0x1p-92, 0x1p-93, 0x1p-94, 0x1p-95, 0x1p-96, 0x1p-97, 0x1p-98, 0x1p-99);
