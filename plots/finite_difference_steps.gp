load sprintf("%s/style.gp", system("dirname ".ARG0))
set output out
set title "Forward difference (f(h + x) - f(x))/h over the abscissas of gradient\\_table"
set xlabel "step h"
set ylabel "|error| against the exact f'(x)"
set logscale xy
set format x "10^{%L}"
set format y "10^{%L}"
set xrange [1e-16:1]
set yrange [1e-13:1e4]
set key top center
steps = data."/accuracy/accuracy_steps.txt"
plot steps using 1:2 with linespoints pt 7 ps 1 lw 2 lc rgb "#d62728" title "largest error", \
     steps using 1:3 with linespoints pt 5 ps 1 lw 2 lc rgb "#1f77b4" title "median error", \
     steps using 1:4 with lines dt 2 lw 1.5 lc rgb "#444444" title "truncation h/2 max|f''|", \
     steps using 1:5 with lines dt 3 lw 1.5 lc rgb "#444444" title "rounding of f and of h + x, divided by h (largest)"
