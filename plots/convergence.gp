load sprintf("%s/style.gp", system("dirname ".ARG0))
set output out
set title "Distance of every iterate from the exact zero (accuracy\\_report)"
set xlabel "trial point / Newton iterate (0 = first)"
set ylabel "|iterate - zero|"
set logscale y
set format y "10^{%L}"
set autoscale xfix
set offsets 1, 1, 0, 0
set xtics 5
set yrange [1e-17:10]
set key top right
iterates = data."/accuracy/accuracy_iterates.txt"
plot iterates index 0 using 1:3 with linespoints pt 7 ps 0.8 lc rgb "#1f77b4" title "midpoint (bisection\\_compare)", \
     iterates index 1 using 1:3 with linespoints pt 5 ps 0.8 lc rgb "#ff7f0e" title "quarter point (bisection\\_compare)", \
     iterates index 2 using 1:3 with linespoints pt 9 ps 1.5 lc rgb "#2ca02c" title "Newton (bisection\\_newton)", \
     iterates index 3 using 1:3 with linespoints pt 13 ps 0.8 lc rgb "#9467bd" title "midpoint, e^x + x - 5 (exp\\_bisection)"
