# Statistics for the benchmark scripts, on one number a line on stdin.

# The median; "-" for no numbers.
bench_median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# "lowest..highest", with `decimals` places (default 3).
bench_range() {
  sort -g | awk -v d="${1:-3}" 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%.*f..%.*f", d, lo, d, hi }'
}
