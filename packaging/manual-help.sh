#!/usr/bin/env bash
# The help text help2man turns into velastro-cli(1): the main --help, then each subcommand's
# usage with its arguments and options, so the manual follows the program's own help.
# VELASTRO_CLI names the program; help2man calls this with --help and --version.
set -euo pipefail
cli=${VELASTRO_CLI:?VELASTRO_CLI must name velastro-cli}
if [ "${1:-}" = --version ]; then
  exec "$cli" --version
fi
"$cli" --help
subcommands=$("$cli" --help | awk '/^Subcommands:$/ {on = 1; next} on && /^  [a-z]/ {print $1}')
for subcommand in $subcommands; do
  echo
  # The usage line becomes the heading, its one-line summary is in the main help; the options
  # and the subcommand's rules, exit statuses and example (its footer) follow.
  "$cli" "$subcommand" --help | awk '/^Usage: / {sub(/^Usage: /, ""); print $0 ":"; on = 1; next}
    !on || /^(Positionals|Options):$/ || /^$/ {next}
    /^  / && !rules {print; next}
    !rules {print ""; rules = 1}
    {print}'
done
