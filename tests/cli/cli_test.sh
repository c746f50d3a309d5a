#!/usr/bin/env bash
# velastro-cli run as scripts run it: arguments, standard input, output, exit status.
# Usage: cli_test.sh PATH-TO-velastro-cli
cli=$1
passed=0
failed=0

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

usage() {
  local reason=$1
  shift
  err=$("$cli" "$@" 2>&1 >/dev/null </dev/null); status=$?
  case "$err" in *"$reason"*) found=yes ;; *) found="no: $err" ;; esac
  check "usage error: $*" "2 yes" "$status $found"
}
usage "'abc' is not a decimal number" eval -B abc 1
usage "'6,5'" eval -G 6,5 1
usage "out of the range" eval -X 1e999 1
usage "--bogus" eval --bogus 1
usage "2" eval 1 2
usage "subcommand"
usage "-B" eval -B

out=$("$cli" eval --help); status=$?
for word in --tsv -X -U "Exit status" "standard input"; do
  case "$out" in *"$word"*) check "help names $word" "0" "$status" ;; *) check "help names $word" yes no ;; esac
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
