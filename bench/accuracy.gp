# The picture of bench/accuracy.sh: estimated against weighed carats, and the error distributions,
# of the reporting half. Called with -e "data='DIR'; out='FILE.png'" (scatter.dat, errors.dat).
set terminal pngcairo size 1400,620 font "DejaVu Sans,11"
set output out
set multiplot layout 1,2 title "Round brilliants of the reporting half (odd rows of the diamonds table)"

set title "estimated against weighed"
set logscale xy
set xrange [0.18:5.5]
set yrange [0.18:5.5]
set xtics (0.2, 0.3, 0.5, 0.7, 1, 1.5, 2, 3, 5)
set ytics (0.2, 0.3, 0.5, 0.7, 1, 1.5, 2, 3, 5)
set xlabel "weighed (ct)"
set ylabel "estimated (ct)"
set key top left
set grid
plot data."/scatter.dat" using 1:2 with points pt 7 ps 0.25 lc rgb "#60d62728" title "window", \
     data."/scatter.dat" using 1:5 with points pt 7 ps 0.25 lc rgb "#601f77b4" title "measured, with table %", \
     x with lines lw 1.5 lc rgb "black" title "estimated = weighed"

set title "error of the estimate (estimated / weighed - 1)"
unset logscale xy
set xrange [-12:14]
set yrange [0:*]
set xtics auto
set ytics auto
set xlabel "error (%)"
set ylabel "share of stones per 0.5 % (%)"
set key top right
plot data."/errors.dat" using 1:2 with histeps lw 2 lc rgb "#d62728" title "window formula", \
     data."/errors.dat" using 1:3 with histeps lw 2 lc rgb "#8c564b" title "field rule 0.0061", \
     data."/errors.dat" using 1:4 with histeps lw 2 lc rgb "#2ca02c" title "measured, without table %", \
     data."/errors.dat" using 1:5 with histeps lw 2 lc rgb "#1f77b4" title "measured, with table %"
unset multiplot
