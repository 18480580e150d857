#!/usr/bin/env python3
"""Writes the example sections: NACA 4-digit sections from the published thickness and
camber formulas, in the four layouts the reader knows, and an X_INP.DAT grid.
Run it from this folder; the files it writes are committed as they are."""
import math
import random


def naca4(m, p, t, stations, closed=False):
    """Upper and lower points (x, y) at cosine-spaced stations, leading edge first. The
    thickness is added across the chord line, so both surfaces share the stations' x and
    no point lies ahead of the leading edge or behind the trailing edge."""
    a4 = -0.1036 if closed else -0.1015
    upper, lower = [], []
    for i in range(stations):
        beta = math.pi * i / (stations - 1)
        x = (1 - math.cos(beta)) / 2
        yt = 5 * t * (0.2969 * math.sqrt(x) - 0.1260 * x - 0.3516 * x**2
                      + 0.2843 * x**3 + a4 * x**4)
        if m == 0:
            yc = 0.0
        elif x < p:
            yc = m / p**2 * (2 * p * x - x * x)
        else:
            yc = m / (1 - p)**2 * ((1 - 2 * p) + 2 * p * x - x * x)
        upper.append((x, yc + yt))
        lower.append((x, yc - yt))
    return upper, lower


def write(name, lines):
    with open(name, "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


def num(v):
    return f"{v:.6f}"


# "X Y D", closed trailing edge, from the lower trailing edge, no weights (two columns).
up, lo = naca4(0, 0, 0.12, 61, closed=True)
lines = ["NACA 0012, closed trailing edge, 121 points", "    X Y D"]
lines += [f"{num(x)} {num(y)}" for x, y in reversed(lo)]
lines += [f"{num(x)} {num(y)}" for x, y in up[1:]]
write("naca0012.dat", lines)

# "X Y D", 401 points with digitisation noise, listed from the upper trailing edge.
random.seed(2412)
up, lo = naca4(0.02, 0.4, 0.12, 201)
noisy = lambda y: y + random.uniform(-0.0004, 0.0004)
lines = ["NACA 2412 digitised with noise, 401 points from the upper trailing edge", "X Y D"]
lines += [f"{num(x)} {num(noisy(y))} 0.0" for x, y in reversed(up)]
lines += [f"{num(x)} {num(noisy(y))} 0.0" for x, y in lo[1:]]
write("naca2412_noisy.dat", lines)

# "X YU YL DU DL", open trailing edge, 51 stations; wider weights on the rear upper surface.
up, lo = naca4(0.04, 0.4, 0.15, 51)
lines = ["NACA 4415, open trailing edge, stations from the leading edge",
         "   X YU YL DU DL"]
for (x, yu), (_, yl) in zip(up, lo):
    du = 0.001 if x > 0.6 else 0.0
    lines.append(f"{num(x)} {num(yu)} {num(yl)} {du:.4f} 0.0")
write("naca4415_stations.dat", lines)

# "BLWF", symmetric (YSYM = 1): the lower surface is the mirror of the upper one.
up, _ = naca4(0, 0, 0.12, 61, closed=True)
lines = ["NACA 0012 section block for the BLWF code", "BLWF section", "  YSYM    NU    NL",
         "  1.0 61.0 61.0", "  Z XLE YLE CHORD THICK EPSIL FSEC", "  0.0 0.0 0.0 1.0 1.0 0.0 1.0",
         "  upper surface: X Y D"]
lines += [f"{num(x)} {num(y)}" for x, y in up]
write("naca0012_blwf.dat", lines)

# "BL_WF_inverse": both surfaces from the trailing edge to the leading edge, with weights.
up, lo = naca4(0.02, 0.4, 0.12, 41)
lines = ["NACA 2412, BLWF inverse order, per-point weights", "BL_WF_inverse",
         "  YSYM    NU    NL", "  0.0 41.0 41.0", "  Z XLE YLE CHORD THICK EPSIL FSEC",
         "  0.0 0.0 0.0 1.0 1.0 0.0 1.0", "  lower surface: X Y D"]
lines += [f"{num(x)} {num(y)} {0.0005 if 0.1 < x < 0.9 else 0.0}" for x, y in reversed(lo)]
lines += ["  upper surface: X Y D"]
lines += [f"{num(x)} {num(y)} {0.0005 if 0.1 < x < 0.9 else 0.0}" for x, y in reversed(up)]
write("naca2412_inverse.dat", lines)

# The grid file for "new X-grid taken from input file": 41 cosine-spaced values.
values = [(1 - math.cos(math.pi * k / 40)) / 2 for k in range(41)]
write("X_INP.DAT", ["X-grid, 41 nodes"] + [" ".join(num(v) for v in values[i:i + 8])
                                            for i in range(0, 41, 8)])


# The two layouts of the public airfoil databases, as other tools write them (lines ended by
# line feeds alone, seven decimals, no layout keyword).
def write_lf(name, lines):
    with open(name, "w", newline="") as f:
        f.write("\n".join(lines) + "\n")


def num7(v):
    return f"{v:10.7f}"


# Wrap-around, counter-clockwise (from the upper trailing edge over the upper surface), open
# trailing edge, comments, and the leading edge listed twice as published tables often do.
up, lo = naca4(0.02, 0.4, 0.12, 41)
lines = ["NACA 2412 (wrap-around, counter-clockwise, open trailing edge)",
         "# x/c y/c from the upper trailing edge over the leading edge to the lower one",
         "# the leading edge is listed twice"]
lines += [f" {num7(x)} {num7(y)}" for x, y in reversed(up)]
lines += [f" {num7(x)} {num7(y)}" for x, y in lo]
write_lf("naca2412_wrap_ccw.dat", lines)

# Wrap-around, clockwise (from the trailing edge over the lower surface), closed trailing
# edge, blank lines around the data, tabs between the columns.
up, lo = naca4(0, 0, 0.12, 36, closed=True)
lines = ["NACA 0012 (wrap-around, clockwise, closed trailing edge)", ""]
lines += [f"{num7(x)}\t{num7(y)}" for x, y in reversed(lo)]
lines += [f"{num7(x)}\t{num7(y)}" for x, y in up[1:]]
lines += ["", ""]
write_lf("naca0012_wrap_cw.dat", lines)

# Split: the point counts, then each surface from the leading edge to the trailing edge,
# separated by blank lines; the leading edge heads both surfaces; open trailing edge.
up, lo = naca4(0.04, 0.4, 0.15, 31)
lines = ["NACA 4415 (split, open trailing edge)", f"{len(up)}.  {len(lo)}.", "",
         "# upper surface"]
lines += [f"  {num7(x)}  {num7(y)}" for x, y in up]
lines += ["", "# lower surface"]
lines += [f"  {num7(x)}  {num7(y)}" for x, y in lo]
write_lf("naca4415_split.dat", lines)

# Split with a closed trailing edge and surfaces of different point counts.
up, _ = naca4(0.02, 0.3, 0.10, 26, closed=True)
_, lo = naca4(0.02, 0.3, 0.10, 21, closed=True)
lines = ["NACA 2310 (split, closed trailing edge, 26 upper and 21 lower points)",
         f"{len(up)} {len(lo)}", ""]
lines += [f"{num7(x)} {num7(y)}" for x, y in up]
lines += [""]
lines += [f"{num7(x)} {num7(y)}" for x, y in lo]
write_lf("naca2310_split.dat", lines)
