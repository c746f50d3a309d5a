#!/usr/bin/env bash
# velastro-cli run as scripts run it: arguments, standard input, output, exit status.
# Usage: cli_test.sh PATH-TO-velastro-cli
cli=$1
passed=0
failed=0
skipped=0

# check NAME EXPECTED ACTUAL
check() {
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}

out=$("$cli" eval -B 6 -F 4 -G 3 "(B+F)/2*(B+F)/2*G*.0065"); status=$?
check "oval brilliant 6 x 4 x 3" "0.487500 0" "$out $status"

out=$("$cli" eval "1/0"); status=$?
check "numeric error text and exit 1" "???? (Division durch Null) 1" "$out $status"

out=$("$cli" eval "  sqrt(4) "); status=$?
check "syntax error with caret under the trimmed formula" $'XXX!\nsqrt(4)\n   ^ 1' "$out $status"

out=$("$cli" eval "1/X")
check "every digit of a huge value" \
  "999999999999999967336168804116691273849533185806555472917961779471295845921727862608739868455469056.000000" "$out"

out=$(printf '0.1\n1/0\n2+Q\nX*2\n' | "$cli" eval --tsv -X -0.5); status=$?
check "tsv: value, position, error text" \
  $'0.10000000000000001\t0\t\n1\t0\t (Division durch Null)\n2\t3\tXXX!\n-1\t0\t 1' "$out $status"

out=$(printf 'B*3\r\n\nB^2\nB+1' | "$cli" eval -B 2); status=$?
check "stdin: CR LF, empty and unended lines" $'6.000000\n0.000000\n4.000000\n3.000000 0' "$out $status"

out=$(printf 'B\nF\nG\nH\nJ\nK\nM\nN\nU\nX\nV\n' | "$cli" eval --tsv -B 1 -F 2 -G 3 -H 4 -J 5 \
  -K 6 -M 7 -N 8 -U -9 -X 1e-99 | cut -f1 | tr '\n' ' ')
check "each option feeds its letter, negative values are values" "1 2 3 4 5 6 7 8 -9 1e-99 0 " "$out"

out=$(for value in 6.5 6 -0 1e-99 .5 5. +2 -1.5E+3 0.1 " 6" "6 "; do "$cli" eval --tsv -B "$value" B; done | cut -f1 | tr '\n' ' ')
check "option values are whole decimal numbers, blanks around them left out" "6.5 6 -0 1e-99 0.5 5 2 -1500 0.10000000000000001 6 6 " "$out"

# Each answer must come out before the next line is written.
first="" second="" status=""
coproc CLI { "$cli" eval; }
{
  echo "1+2" >&"${CLI[1]}" && IFS= read -r -t 10 first <&"${CLI[0]}" &&
    echo "2*2" >&"${CLI[1]}" && IFS= read -r -t 10 second <&"${CLI[0]}" &&
    exec {CLI[1]}>&- && wait "$CLI_PID"
  status=$?
} 2>/dev/null
check "answers stream line by line" "3.000000 4.000000 0" "$first $second $status"

out=$("$cli" shapes); status=$?
check "shapes: caption, fields and formula per row" \
  $'Round Brilliant\tDIAMETER DEPTH\t(B/2*B/2*G*.0245)*1.05
Oval Brilliant\tLENGTH WIDTH DEPTH\t(B+F)/2*(B+F)/2*G*.0065
Square Trillion\tLENGTH DEPTH\t(B*2/3)*B*G*.013
Rectangle\tLENGTH WIDTH DEPTH\t(B-(F/3))*F*G*.013
Marquise Brilliant\tLENGTH WIDTH DEPTH\t(B-(F/3))*F*G*.0079
Pear Brilliant\tLENGTH WIDTH DEPTH\tB*F*G*.0062
Triangle Trillion\tLENGTH WIDTH DEPTH\tB*F*G*.0057
Heart Brilliant\tLENGTH WIDTH DEPTH\tB*F*G*.0060 0' "$out $status"

# The arguments as the command line takes them; the weights themselves are the carat core's.
# expected answer | estimate arguments
for row in "0.487500|oval 6 4 3" "1.059709|round 6.45 6.55 3.9" \
  "0.487500|OVAL 6 4 3" "0.803267|oval 6 4 3 --gem Cubic_Zirconia" "0.487500|oval 6 4 3 --unit CT" \
  "48.750000|oval 6 4 3 --unit pt" "1.091500|round 6.5 3.9 --girdle thick"; do
  read -ra args <<<"${row#*|}"
  out=$("$cli" estimate "${args[@]}"); status=$?
  check "estimate ${row#*|}" "${row%%|*} 0" "$out $status"
done
check "estimate \"Oval Brilliant\"" "0.487500" "$("$cli" estimate "Oval Brilliant" 6 4 3)"
check "estimate: --decimals" "0.49 0.46 0.51" "$("$cli" estimate oval 6 4 3 --decimals 2 --tolerance 5)"
# The weight models' options as the command line takes them; their numbers are the core's.
# output and exit status (printf format) | arguments
while IFS='|' read -r want args; do
  check "$args" "$(printf "$want")" "$("$cli" $args 2>&1; echo "= $?")"
done <<'ROWS'
1.000324 0.978316 1.026332 measured\n= 0|estimate round 6.5 3.9 --model Measured --interval
0.994852 measured+table\n= 0|estimate round 6.5 3.9 --model measured --table 57
1.003520 field-rule\n= 0|estimate emerald 7 5 3.2 --model measured
LENGTH 6.99 WIDTH 4.99 DEPTH 3.20\n= 0|size emerald 1 --model measured
velastro-cli estimate: --table is read by the measured model: add --model measured\n= 2|estimate round 6.5 3.9 --table 57
ROWS
# Measures the formula cannot take: a negative value (given as is, or after --), a width above
# the length of a shape whose length is the longer measure.
while IFS='|' read -r args message; do
  err=$("$cli" estimate $args 2>&1 >/dev/null); status=$?
  check "estimate $args" "velastro-cli estimate: $message 1" "$err $status"
done <<'ROWS'
round -1 3|the diameter -1 mm is not above 0
round -- -.5 3|the diameter -0.5 mm is not above 0
marquise 5 10 3|the width 10 mm is above the length 5 mm, and the length of a Marquise Brilliant is its longer measure
oval 1e200 1e200 1e200|these measures give no finite weight (are they in mm?)
ROWS
check "estimate: gem and girdle named in words" "0.843430" \
  "$("$cli" estimate oval 6 4 3 --gem "cubic zirconia" --girdle "very thick")"

# Parcels: rows in order with their weight or reason, CR LF kept, the total on standard error.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'id,shape,length,width,depth\r\n"A,1",oval,6,4,3\r\n2,round,6.5,,3.9\r\n3,ovale,6,6,4\r\n' \
  >"$work/parcel.csv"
out=$("$cli" batch "$work/parcel.csv" 2>"$work/err"); status=$?
check "batch: a file with CR LF, a quoted id and an unknown shape" \
  $'id,shape,length,width,depth,carat,error\r\n"A,1",oval,6,4,3,0.487500,\r\n2,round,6.5,,3.9,1.059709,\r\n3,ovale,6,6,4,,unknown shape \'ovale\'; did you mean Oval?\r 1' \
  "$out $status"
check "batch: the summary" "velastro-cli batch: rows 3, stones 2, total 1.547209 ct, rows in error 1" \
  "$(<"$work/err")"
out=$(printf 'shape;diameter;depth;count\nround;6,5;3,9;3\n' | "$cli" batch - --unit pt --tolerance 10 2>&1)
check "batch: decimal comma, points and a tolerance from standard input" \
  $'shape;diameter;depth;count;points;points_low;points_high;lot_points;error\nround;6,5;3,9;3;105,970922;95,373830;116,568014;317,912766;\nvelastro-cli batch: rows 1, stones 3, total 317,912766 pt (286,121489 to 349,704043), rows in error 0' \
  "$out"
# The options and exit statuses of batch, with standard error after the output; the rows
# themselves are the parcel's. case | options | input | output (printf formats)
while IFS='|' read -r name options input output; do
  out=$(printf "$input" | "$cli" batch $options 2>&1; echo "= $?")
  check "batch: $name" "$(printf "$output")" "$out"
done <<'ROWS'
--decimal comma|--decimal comma|shape,length,depth\nround,"6,5","3,9"\n|shape,length,depth,carat,error\nround,"6,5","3,9","1,059709",\nvelastro-cli batch: rows 1, stones 1, total 1,059709 ct, rows in error 0\n= 0
grams, a tolerance, three decimals, old weight columns replaced|--unit g --tolerance 10 --decimals 3|shape,length,width,depth,count,carat,Error\noval,6,4,3,4,1,x\n|shape,length,width,depth,count,grams,grams_low,grams_high,lot_grams,error\noval,6,4,3,4,0.098,0.088,0.107,0.390,\nvelastro-cli batch: rows 1, stones 4, total 0.390 g (0.351 to 0.429), rows in error 0\n= 0
a row past --max-line|--max-line 40|shape,length,depth,note\nround,6.5,3.9,xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\nround,6.5,3.9,ok\n|velastro-cli batch: row 2: longer than 40 bytes (--max-line), not read\nshape,length,depth,note,carat,error\n,,,,,longer than 40 bytes (--max-line)\nround,6.5,3.9,ok,1.059709,\nvelastro-cli batch: rows 2, stones 1, total 1.059709 ct, rows in error 1\n= 3
an empty input|||velastro-cli batch: the input is empty: a header row naming the columns comes first\n= 2
ROWS

# The progress bar on a terminal of 40 columns while standard output goes to a file: it fits, and
# a message in between (a row past --max-line in the second chunk of input) gets a line of its
# own; with standard output on the same terminal there is no bar.
if command -v script >/dev/null 2>&1; then
  { echo "id,shape,length,depth,note"
    for i in $(seq 12000); do echo "$i,round,6.5,3.9,xxxxxxxx"; done
    echo "12001,round,6.5,3.9,$(head -c 300 /dev/zero | tr '\0' x)"; } >"$work/progress.csv"
  script -qc "stty cols 40; '$cli' batch --max-line 200 '$work/progress.csv' >'$work/out.csv'" \
    /dev/null >"$work/typescript"
  # What a terminal shows of each line: the text after its last carriage return.
  shown=$(tr -d '\n' <"$work/typescript" | tr '\r' '\n')
  check "progress: a bar was drawn" yes "$(grep -q 'rows/s' <<<"$shown" && echo yes)"
  check "progress: no piece wider than 39 columns" 0 "$(awk 'length > 39 && !/^velastro-cli batch:/' <<<"$shown" | wc -l)"
  check "progress: messages start their lines" 0 \
    "$(tr '\r' '\n' <"$work/typescript" | grep -c '.velastro-cli batch:')"
  script -qc "'$cli' batch '$work/progress.csv' >/dev/null; '$cli' batch '$work/progress.csv'" \
    /dev/null >"$work/typescript"
  check "progress: none where standard output is the terminal" 1 "$(grep -c 'rows/s' "$work/typescript")"
fi

out=$("$cli" estimate oval 6 4 3 --tolerance 5 --unit g --gem ruby --girdle STK); status=$?
check "estimate with a tolerance in grams of a ruby with a slightly thick girdle" \
  "0.113011 0.107361 0.118662 0" "$out $status"
weight=$("$cli" estimate round 6.5 3.965)
check "size: a 6.5 mm round's weight gives 6.5 mm again" "DIAMETER 6.50 DEPTH 3.96" \
  "$("$cli" size round "$weight")"
out=$("$cli" gems | grep -c .)
check "gems: at least twenty" "yes" "$([ "$out" -ge 20 ] && echo yes)"
out=$("$cli" --help | grep -E '^  (eval|shapes|estimate|batch|size|gems) ' | grep -c .)
check "top-level help: a line per subcommand" "6" "$out"

# expected answer | bytes of the .FKT file, evaluated with B=6 F=4 G=3 while stdin holds "9"
for row in \
  '0.487500|Korvandelmatrix Formulaparser\r\n\r\n\r\n[COMMENT]\r\nno comment\r\n\r\n[FORMEL]\r\n(B+F)/2*(B+F)/2*G*.0065\r\n\r\n[END]\r\n' \
  '12.000000|x\n[FORMEL]\nB*2\n' '7.000000|x\n[FORMEL]\nB+1' '6.000000|x\n[FORMEL]\nB\n[FORMEL]\nG\n' \
  '0.000000|x\nB*2\n' '0.000000|x\n[formel]\nB*2\n' '0.000000|x\n[FORMEL] \nB*2\n' \
  '0.000000|[FORMEL]\nB*2\n' '0.000000|x\n[FORMEL]\n' '0.000000|' '0.000000|x\n [FORMEL]\nB*2\n' \
  '0.000000|x\n[FORMEL]\r\r\nB*2\n' '0.000000|x\n[FORMEL]\r\n\r\nB*2\n' '0.000000|x\n%255s[FORMEL]\nB*2\n' \
  '12.000000|[FORMEL]\n[FORMEL]\nB*2\n' '48.000000|x\n\n[COMMENT]\n[FORMEL]\nB*2+B*2+B*2+B*2\n' \
  '6.000000|x\n[FORMEL]\nB\0*2\n' \
  '???? (Division durch Null)|x\r\n[FORMEL]\r\n1/0\r\n'; do
  printf "${row#*|}" >"$work/f.fkt"
  out=$(echo 9 | "$cli" eval -B 6 -F 4 -G 3 --file "$work/f.fkt"); status=$?
  want=0 && [[ $row == '????'* ]] && want=1
  check "eval --file $(printf %q "${row#*|}")" "${row%%|*} $want" "$out $status"
done
printf 'x\r\n[FORMEL]\r\nF*X\r\n' >"$work/f.fkt"
out=$("$cli" eval --tsv -F 2 -X 0.5 --file "$work/f.fkt"); status=$?
check "eval --tsv --file" $'1\t0\t 0' "$out $status"
for ones in 1048576 1048577; do
  { printf 'x\n[FORMEL]\n'; head -c $ones /dev/zero | tr '\0' 1; printf '\r\n'; } >"$work/f.fkt"
  out=$("$cli" eval --file "$work/f.fkt" 2>&1); status=$?
  want="inf 0"
  [ $ones = 1048576 ] || want="velastro-cli eval: Can not open the file $work/f.fkt: its formula line is longer than 1048576 characters 3"
  check "eval --file with a formula line of $ones characters" "$want" "$out $status"
done
for row in "$work/missing.fkt|No such file or directory" "$work|Is a directory"; do
  err=$("$cli" eval --file "${row%%|*}" 2>&1 >/dev/null); status=$?
  check "eval --file on ${row%%|*}" "velastro-cli eval: Can not open the file ${row%%|*}: ${row#*|} 2" \
    "$err $status"
done

usage() {
  local reason=$1
  shift
  err=$("$cli" "$@" 2>&1 >/dev/null </dev/null); status=$?
  case "$err" in *"$reason"*) found=yes ;; *) found="no: $err" ;; esac
  check "usage error: $*" "2 yes" "$status $found"
}
for value in "" abc 6,5 6.5x 1e 1e+ . - inf nan 0x10 "6 5" --1 1.2.3; do
  usage "-G: '$value' is not a decimal number" eval -G "$value" 1
done
usage "-X: '1e999' is out of the range" eval -X 1e999 1
usage "-X: '1e-999' is out of the range" eval -X 1e-999 1
usage "--bogus" eval --bogus 1
usage "2" eval 1 2
usage "subcommand"
usage "-B" eval -B
usage "excludes" eval --file x.fkt 1
usage "Round Brilliant takes DIAMETER DEPTH (2 numbers) or MIN DIAMETER MAX DIAMETER DEPTH (3 numbers), not 4" estimate round 6 4 3 1
usage "Square Trillion takes LENGTH DEPTH (2 numbers), not 3" estimate Square 6 4 3
usage "Oval Brilliant takes LENGTH WIDTH DEPTH (3 numbers), not 2" estimate oval 6 3
usage "not 0" estimate heart
usage "SHAPE" estimate
usage "unknown shape 'emerald'; the shapes are Round Brilliant, Oval Brilliant," estimate emerald 6 3
usage "DEPTH: '3mm'" estimate heart 6 4 3mm
usage "-.5" estimate round -.5 3
usage "Can not open the file $work/missing.csv: No such file or directory" batch "$work/missing.csv"
printf 'shape,length\n' >"$work/no-depth.csv"
usage "the header names no depth column" batch "$work/no-depth.csv"
usage "unknown girdle 'wavy'; the grades are extremely thin (ETN)" batch --girdle wavy "$work/parcel.csv"
for grade in "" xthick STKK; do
  usage "unknown girdle '$grade'" estimate oval 6 4 3 --girdle "$grade"
done
usage "unknown gem 'glass'" estimate oval 6 4 3 --gem glass
usage "'kg' is not ct, g or pt" estimate oval 6 4 3 --unit kg
usage "Square Trillion has no width, so no --ratio" size square 1 --ratio 2

for row in "eval|--tsv|-X|-U|--file|Exit status|standard input|--max-line|3 when input or output|Example" \
  "estimate|Exit status|-- -.5|3 when writing the output|--tolerance|Example" \
  "shapes|DIAMETER DEPTH|3 when writing|Example" "gems|Exit status|Example" \
  "batch|RFC 4180|Exit status|--decimal |--max-line|Adamas|Example" \
  "size|Round Brilliant: depth 61 %|Exit status|Example" "--help|Exit status 3"; do
  IFS='|' read -ra words <<<"$row"
  out=$("$cli" ${words[0]/--help/} --help); status=$?
  for word in "${words[@]:1}"; do
    case "$out" in *"$word"*) check "${words[0]} help names $word" "0" "$status" ;; *) check "${words[0]} help names $word" yes no ;; esac
  done
done

# Failed reads and writes: one line on standard error naming the cause, exit status 3.
# case | arguments | stdin and stdout redirections | the message's end
while IFS='|' read -r name args redirections reason; do
  err=$(eval "\"\$cli\" $args $redirections" 2>&1); status=$?
  case "$err" in *"$reason") found=yes ;; *) found="no: $err" ;; esac
  check "$name" "3 yes 1" "$status $found $(wc -l <<<"$err")"
done <<ROWS
eval to a full disk|eval 1+1|</dev/null >/dev/full|standard output: No space left on device
stdin answers to a full disk|eval|<<<1+1 >/dev/full|standard output: No space left on device
shapes to a full disk|shapes|</dev/null >/dev/full|standard output: No space left on device
estimate to a full disk|estimate oval 6 4 3|</dev/null >/dev/full|standard output: No space left on device
help to a full disk|--help|</dev/null >/dev/full|standard output: No space left on device
batch to a full disk|batch "$work/parcel.csv"|</dev/null >/dev/full|standard output: No space left on device
eval help to a full disk|eval --help|</dev/null >/dev/full|standard output: No space left on device
closed stdout|eval 1+1|</dev/null >&-|standard output: Bad file descriptor
folder as stdin|eval|<"$work" >/dev/null|standard input: Is a directory
closed stdin|eval|<&- >/dev/null|standard input: Bad file descriptor
--file that fails while read|eval --file /proc/self/mem|</dev/null >/dev/null|/proc/self/mem: reading it failed
ROWS

# Lines too long or too big for memory are reported by number; the lines after them are answered.
# case | ulimit -v in KiB (0: none) | arguments | stdin | expected output | the message's end
printf '1+1\n12345\r\n2+2\n' >"$work/lines.txt"
{ echo 1+1; head -c 100000000 /dev/zero | tr '\0' 1; echo; echo 2+2; } >"$work/big.txt"
printf 'x\n[FORMEL]\n' >"$work/sparse.fkt"
truncate -s 1G "$work/sparse.fkt"
if { (ulimit -v 400000 && "$cli" shapes) >/dev/null 2>&1; } 2>/dev/null; then limits=yes; else limits=no; fi
while IFS='|' read -r name limit args stdin want reason; do
  if [ "$limit" != 0 ] && [ $limits = no ]; then
    skipped=$((skipped + 1))
    echo "SKIPPED $name: the tool cannot start under ulimit -v (as under AddressSanitizer)"
    continue
  fi
  read -ra argv <<<"$args"
  out=$( (if [ "$limit" != 0 ]; then ulimit -v "$limit"; fi
    exec "$cli" "${argv[@]}" <"$stdin" 2>"$work/err")); status=$?
  err=$(<"$work/err")
  case "$err" in *"$reason") found=yes ;; *) found="no: $err" ;; esac
  check "$name" "$want 3 yes" "$(echo $out) $status $found"
done <<ROWS
line over --max-line|0|eval --max-line 4|$work/lines.txt|2.000000 4.000000|line 2: longer than 4 bytes (--max-line), not answered
100 MB line in 150 MB|150000|eval|$work/big.txt|2.000000 4.000000|line 2: longer than 1048576 bytes (--max-line), not answered
100 MB line in 170 MB|170000|eval --max-line 1000000000|$work/big.txt|2.000000 4.000000|line 2: out of memory, not answered
--file with a 1 GB formula line in 400 MB|400000|eval --file $work/sparse.fkt|/dev/null||Can not open the file $work/sparse.fkt: its formula line is longer than 1048576 characters
ROWS

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
