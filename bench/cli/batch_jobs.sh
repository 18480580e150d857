#!/usr/bin/env bash
# Times zarnfoil-batch on a folder of generated sections with one job and with two: the second
# should take about half the time of the first on a machine with two free cores.
#   bench/cli/batch_jobs.sh [build/bin/zarnfoil-batch] [sections]
set -euo pipefail
batch=${1:-build/bin/zarnfoil-batch}
count=${2:-200}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

# NACA 4-digit sections of varied camber and thickness, 121 points each, with a little noise.
python3 - "$folder" "$count" <<'PY'
import math, random, sys
folder, count = sys.argv[1], int(sys.argv[2])
random.seed(12)
for n in range(count):
    m, p, t = random.uniform(0, 0.05), random.uniform(0.3, 0.5), random.uniform(0.08, 0.18)
    up, lo = [], []
    for i in range(61):
        x = (1 - math.cos(math.pi * i / 60)) / 2
        yt = 5 * t * (0.2969 * math.sqrt(x) - 0.126 * x - 0.3516 * x * x + 0.2843 * x ** 3
                      - 0.1015 * x ** 4)
        yc = m / p ** 2 * (2 * p * x - x * x) if x < p else \
            m / (1 - p) ** 2 * ((1 - 2 * p) + 2 * p * x - x * x)
        noise = lambda: random.uniform(-2e-4, 2e-4) if 0 < i < 60 else 0.0
        up.append((x, yc + yt + noise()))
        lo.append((x, yc - yt + noise()))
    with open(f"{folder}/section{n:03d}.dat", "w") as f:
        f.write(f"generated section {n}\nX Y D\n")
        for x, y in list(reversed(lo)) + up[1:]:
            f.write(f"{x:.6f} {y:.6f}\n")
PY

for jobs in 1 2; do
    rm -rf "$folder/out" && mkdir "$folder/out"
    start=$(date +%s%N)
    "$batch" "$folder" --strip 0.002 --stl --jobs "$jobs" --outdir "$folder/out" \
        --summary "$folder/out/summary.csv" > /dev/null || true
    end=$(date +%s%N)
    rows=$(($(wc -l < "$folder/out/summary.csv") - 1))
    ms=$(((end - start) / 1000000))
    printf 'jobs %d: %d sections in %d.%03d s\n' "$jobs" "$rows" $((ms / 1000)) $((ms % 1000))
done
