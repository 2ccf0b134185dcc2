load sprintf("%s/style.gp", system("dirname ".ARG0))
set terminal pngcairo size 900,700
set output out
floor = 1e-7
set multiplot layout 2,1 title sprintf("Bisection of e^x + x - 5 = 0 on [%g, %g], from the trace on standard output", expBracket_a, expBracket_b)
set xlabel "narrowing (trace line)"
set autoscale xfix
set offsets 1, 1, 0, 0
set ylabel "bracket end"
set key top right opaque
set yrange [expBracket_a - 0.1:*]
plot data."/exp_bisection.txt" using ($0 + 1):1 with linespoints pt 7 ps 0.6 lc rgb "#1f77b4" title "a, the bracket's left end", \
     ""                         using ($0 + 1):2 with linespoints pt 5 ps 0.6 lc rgb "#ff7f0e" title "b, its right end"
set ylabel "|f(next midpoint)|"
set logscale y
set format y "10^{%L}"
set yrange [floor / 3:100]
plot data."/exp_bisection.txt" using ($0 + 1):(abs($3) > 0 ? abs($3) : floor) with linespoints pt 7 ps 0.6 \
        lc rgb "#2ca02c" title "|f| (0.000000 in the trace drawn at 10^{-7})"
unset multiplot
