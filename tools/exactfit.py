#!/usr/bin/python3
"""Exact least-squares figures of calibration data, as the program's cells give them.

Each input is rounded to float32 (as the number parser returns it), the t value is taken as the
double the table holds, and every sum is done in fractions; the square roots at the end in
50-digit decimals. Prints a, b, Δa, Δb, s, r and DL to 17 significant digits.

usage: exactfit.py intercept|origin LEVEL C1,C2,... MS1,MS2,... [MS m]
LEVEL is 1, 2 or 3 (90, 95, 99 %); the t rows held here cover up to 10 degrees of freedom.
With a sample's MS (rounded to float32 too) and its m, prints its concentration C and the
half-width dC of its confidence interval as well.
"""
import struct
import sys
from decimal import Decimal, getcontext
from fractions import Fraction

getcontext().prec = 50

TTABLE = {1: [6.314, 2.920, 2.353, 2.132, 2.015, 1.943, 1.895, 1.860, 1.833, 1.812],
          2: [12.706, 4.303, 3.182, 2.776, 2.571, 2.447, 2.365, 2.306, 2.262, 2.228],
          3: [63.657, 9.925, 5.841, 4.604, 4.032, 3.707, 3.499, 3.355, 3.250, 3.169]}


def single(text):
    return Fraction(struct.unpack("f", struct.pack("f", float(text)))[0])


def root(q):
    return Decimal(q.numerator).sqrt() / Decimal(q.denominator).sqrt() if q else Decimal(0)


def dec(q):
    return Decimal(q.numerator) / Decimal(q.denominator)


def fit(model, level, xs, ys):
    n = len(xs)
    df = n - 2 if model == "intercept" else n - 1
    t = Fraction(TTABLE[level][df - 1])
    mx, my = sum(xs) / n, sum(ys) / n
    cxx = sum((x - mx) ** 2 for x in xs)
    cyy = sum((y - my) ** 2 for y in ys)
    cxy = sum((x - mx) * (y - my) for x, y in zip(xs, ys))
    sxx = sum(x * x for x in xs)
    if model == "intercept":
        b = cxy / cxx
        a = my - b * mx
    else:
        b = sum(x * y for x, y in zip(xs, ys)) / sxx
        a = Fraction(0)
    ss = sum((y - a - b * x) ** 2 for x, y in zip(xs, ys))
    s2 = ss / df
    varb = s2 / cxx if model == "intercept" else s2 / sxx
    vara = varb * sxx / n if model == "intercept" else Fraction(0)
    sda, sdb = root(vara), root(varb)
    tt = dec(t)
    r = dec(cxy) / root(cxx * cyy) if cyy else Decimal(0)
    q = dec(b) + tt * sdb
    dl = tt * (sda + sdb * dec(mx)) / q if q > 0 else Decimal(0)
    return {"a": dec(a), "b": dec(b), "da": tt * sda, "db": tt * sdb, "s": root(s2), "r": r,
            "dl": dl}


def sample(model, level, xs, ys, ms, m):
    n = len(xs)
    df = n - 2 if model == "intercept" else n - 1
    t = dec(Fraction(TTABLE[level][df - 1]))
    f = fit(model, level, xs, ys)
    mx, my = sum(xs) / n, sum(ys) / n
    if model == "intercept":
        cxx = sum((x - mx) ** 2 for x in xs)
        b = sum((x - mx) * (y - my) for x, y in zip(xs, ys)) / cxx
        a = my - b * mx
        share = Fraction(1, m) + Fraction(1, n) + (ms - my) ** 2 / (b * b * cxx)
    else:
        sxx = sum(x * x for x in xs)
        b = sum(x * y for x, y in zip(xs, ys)) / sxx
        a = Fraction(0)
        share = Fraction(1, m) + ms ** 2 / (b * b * sxx)
    return {"C": dec((ms - a) / b), "dC": t * f["s"] / abs(dec(b)) * root(share)}


if __name__ == "__main__":
    model, level = sys.argv[1], int(sys.argv[2])
    xs = [single(v) for v in sys.argv[3].split(",")]
    ys = [single(v) for v in sys.argv[4].split(",")]
    results = fit(model, level, xs, ys)
    if len(sys.argv) > 6:
        results.update(sample(model, level, xs, ys, single(sys.argv[5]), int(sys.argv[6])))
    for name, value in results.items():
        print(f"{name:3} {value:.16e}" if value else f"{name:3} 0")
