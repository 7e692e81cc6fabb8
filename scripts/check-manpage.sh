#!/usr/bin/env bash
# Checks the manual page: it renders without a warning, and its OPTIONS section holds
# every option and argument of the program's --help with the same words.
#   scripts/check-manpage.sh docs/keruna.1 build/keruna
set -euo pipefail
page="$1"
program="$2"
render() { LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH="$1" man --warnings -E UTF-8 -l "$page"; }

warnings=$(render 80 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
  echo "$page: warnings while rendering:"
  echo "$warnings"
  exit 1
fi

# One line, single spaces: the page's line breaks and justification do not matter.
options=$(render 200 | sed -n '/^OPTIONS$/,/^[A-Z]/p' | tr -s ' \n' '  ')
status=0
found=0
while IFS= read -r line; do
  # "  -h, --help     Show this help and end." : the name, two spaces or more, the text.
  [[ "$line" =~ ^\ +([^ ].*[^ ])\ \ +([^ ].*)$ ]] || continue
  entry="${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
  found=$((found + 1))
  if [[ "$options" != *" $entry "* ]]; then
    echo "$page: OPTIONS lacks \"$entry\" (from $program --help)"
    status=1
  fi
done < <("$program" --help | sed -n '/^Options:$/,$p')
if [ "$found" -eq 0 ]; then
  echo "$program --help lists no options: its layout changed, and this check with it"
  exit 1
fi
exit $status
