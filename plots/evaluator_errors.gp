load sprintf("%s/style.gp", system("dirname ".ARG0))
set terminal pngcairo size 900,660
set output out
set title "Distance of each evaluator from the exact f'(x), every abscissa of gradient\\_timing"
set xlabel "x"
set ylabel "|evaluator - exact|"
set logscale y
set format y "10^{%L}"
set autoscale xfix
set yrange [1e-20:1]
set key top center
errors = data."/accuracy/accuracy_derivatives.txt"
# Every 4th abscissa, as dots (the points would hide one another anyway).
# fp and af err alike, so each takes its own abscissas: af every 4th from
# the first, fp, drawn on top in larger points, every 4th from the third.
# The key gets a visible marker of its own from an empty series.
plot errors every 4 using 1:($4 > 0 ? $4 : 1/0) with dots lc rgb "#d62728" notitle, \
     errors every 4 using 1:($5 > 0 ? $5 : 1/0) with dots lc rgb "#000000" notitle, \
     errors every 4::2 using 1:($3 > 0 ? $3 : 1/0) with points pt 7 ps 0.15 lc rgb "#1f77b4" notitle, \
     NaN with points pt 7 ps 1 lc rgb "#d62728" title "finite difference fpfinite, h = 1e-8", \
     NaN with points pt 7 ps 1 lc rgb "#1f77b4" title "closed form fp (on top)", \
     NaN with points pt 7 ps 1 lc rgb "#000000" title "automatic differentiation af", \
     errors every 4 using 1:6 with lines lw 2 lc rgb "#2ca02c" \
        title "bound of fp and af for |sin|, |cos| up to 1: u(2x^4 + 11x^2 + 3), u = 2^{-53}"
