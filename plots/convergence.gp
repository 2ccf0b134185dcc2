load sprintf("%s/style.gp", system("dirname ".ARG0))
set output out
# The traces print 6 decimals, so a width or |f| below 5e-7 reads as 0 and is
# drawn at floor instead: a log axis has no place for 0.
floor = 1e-7
set title "Convergence on [-5, 3]: bracket width per trial point, |f| per Newton step"
set xlabel "trial point / Newton step"
set ylabel "b - a  or  |f(x)|"
set logscale y
set format y "10^{%L}"
set xrange [0:42]
set xtics 5
set yrange [floor / 3:20]
set key top right
width(a, b) = b - a > 0 ? b - a : floor
plot data."/compare/bolzano.txt" using ($0 + 1):(width($1, $2)) with linespoints pt 7 ps 0.8 lc rgb "#1f77b4" \
        title "midpoint: b - a", \
     data."/compare/bolzano14.txt" using ($0 + 1):(width($1, $2)) with linespoints pt 5 ps 0.8 lc rgb "#ff7f0e" \
        title "quarter point: b - a", \
     data."/newton/newton.txt" using ($0 + 1):(abs($2) > 0 ? abs($2) : floor) with linespoints pt 9 ps 1.5 lc rgb "#2ca02c" \
        title "Newton from -5: |f(x)|", \
     floor with lines dt 3 lc rgb "#888888" title "below the 6 decimals of the traces (drawn at 10^{-7})"
