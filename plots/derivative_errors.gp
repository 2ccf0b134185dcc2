load sprintf("%s/style.gp", system("dirname ".ARG0))
set terminal pngcairo size 900,660
set output out
# Differences of the printed tables, so they are multiples of 1e-10; a
# difference of exactly 0 cannot sit on a log axis and is drawn at floor.
floor = 1e-12
stats data."/gradients.txt" using (abs($4 - $2) == 0 ? 1 : 0) nooutput
fdZeros = int(STATS_sum)
stats data."/gradients.txt" using (abs($6 - $2) == 0 ? 1 : 0) nooutput
adZeros = int(STATS_sum)
adOthers = STATS_records - adZeros
stats data."/gradients.txt" using (abs($4 - $2)) nooutput
largest = STATS_max
set title "Distance from the closed form in the tables (10 decimals), every line"
set xlabel "x"
set ylabel "|method - closed form|"
set logscale y
set format y "10^{%L}"
set autoscale xfix
set yrange [floor / 3:largest * 30]
set key top center
plot data."/gradients.txt" using 1:(abs($4 - $2) > 0 ? abs($4 - $2) : 1/0) with points pt 7 ps 0.12 lc rgb "#d62728" \
        title "finite difference, h = ".finiteStep_text, \
     "" using 1:(abs($6 - $2) > 0 ? abs($6 - $2) : 1/0) with points pt 7 ps 1.2 lc rgb "#000000" \
        title sprintf("automatic differentiation (%d lines differ)", adOthers), \
     "" using 1:(abs($4 - $2) == 0 ? floor : 1/0) with points pt 6 ps 1 lc rgb "#d62728" \
        title sprintf("finite difference equal to 10 decimals (%d lines, drawn at %g)", fdZeros, floor), \
     "" using 1:(abs($6 - $2) == 0 ? floor : 1/0) every 50 with dots lc rgb "#444444" \
        title sprintf("automatic differentiation equal (%d lines, drawn at %g)", adZeros, floor)
