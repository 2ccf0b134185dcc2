load sprintf("%s/style.gp", system("dirname ".ARG0))
set terminal pngcairo size 900,960
set output out
errors = data."/accuracy/accuracy_derivatives.txt"
# Every 4th abscissa, as dots; each evaluator in a panel of its own, so
# that none hides another. fp and af err alike, within the same bound.
set multiplot layout 3,1 title "Distance of each evaluator from the exact f'(x), every 4th abscissa of gradient\\_timing"
set logscale y
set format y "10^{%L}"
set autoscale xfix
set ylabel "|evaluator - exact|"
set key top left
set yrange [1e-12:1e-3]
plot errors every 4 using 1:($4 > 0 ? $4 : 1/0) with dots lc rgb "#d62728" notitle, \
     NaN with points pt 7 ps 1 lc rgb "#d62728" title "forward difference fpfinite, h = ".finiteStep_text
set yrange [1e-20:1e-9]
plot errors every 4 using 1:($3 > 0 ? $3 : 1/0) with dots lc rgb "#1f77b4" notitle, \
     NaN with points pt 7 ps 1 lc rgb "#1f77b4" title "closed form fp", \
     errors every 4 using 1:6 with lines lw 2 lc rgb "#2ca02c" title "bound of fp and af where |sin x^2| = |cos x^2| = 1"
set xlabel "x"
plot errors every 4 using 1:($5 > 0 ? $5 : 1/0) with dots lc rgb "#000000" notitle, \
     NaN with points pt 7 ps 1 lc rgb "#000000" title "automatic differentiation af", \
     errors every 4 using 1:6 with lines lw 2 lc rgb "#2ca02c" title "the same bound"
unset multiplot
