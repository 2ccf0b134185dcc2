# Shared look of every figure.
set terminal pngcairo size 900,600 enhanced font "DejaVu Sans,11" linewidth 1.2
set grid lc rgb "#dddddd"
set key box opaque spacing 1.2
set border lc rgb "#444444"
