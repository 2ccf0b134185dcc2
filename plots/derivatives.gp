load sprintf("%s/style.gp", system("dirname ".ARG0))
set output out
set title "Derivative of f(x) = x sin(x^2), three methods (they coincide at this scale)"
set xlabel "x"
set ylabel "f'(x)"
set autoscale xfix
set key top center horizontal
# Every 5th abscissa of gradient_timing: 200 points per period at the fastest oscillation.
plot data."/gradients.txt" every 5 using 1:2 with lines lw 4 lc rgb "#9ecae1" title "closed form", \
     ""                    every 5 using 1:4 with lines lw 1.5 dt 2 lc rgb "#d62728" title "finite difference, h = 1e-8", \
     ""                    every 5 using 1:6 with lines lw 1 lc rgb "#000000" title "automatic differentiation"
