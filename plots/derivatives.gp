load sprintf("%s/style.gp", system("dirname ".ARG0))
set terminal pngcairo size 900,900
set output out
# The three tables of gradient_timing as printed: the closed form, and each
# other method's difference from it in a panel of its own (at this scale
# the three curves coincide).
set multiplot layout 3,1 title "Derivative of f(x) = x sin(x^2) over the abscissas of gradient\\_timing"
set autoscale xfix
set key top center horizontal
set ylabel "f'(x)"
# Every 5th abscissa: 200 points per period at the fastest oscillation.
plot data."/gradients.txt" every 5 using 1:2 with lines lw 1.5 lc rgb "#1f77b4" title "closed form fp"
set ylabel "difference"
plot data."/gradients.txt" using 1:($4 - $2) with dots lc rgb "#d62728" notitle, \
     NaN with points pt 7 ps 1 lc rgb "#d62728" title "forward difference (h = ".finiteStep_text.") minus the closed form"
set xlabel "x"
set ylabel "difference, in 10^{-10}"
set yrange [-1.5:2]
set ytics 1
plot data."/gradients.txt" using 1:(($6 - $2) * 1e10) with points pt 7 ps 0.5 lc rgb "#000000" notitle, \
     NaN with points pt 7 ps 1 lc rgb "#000000" title "automatic differentiation minus the closed form, as printed (ten decimals)"
unset multiplot
