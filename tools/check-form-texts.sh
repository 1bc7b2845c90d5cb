#!/usr/bin/env bash
# Checks that every form file holds the translations of the table beside it (FORM.tsv): the
# table written into a copy of the form must give the form file as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
count=0
while IFS= read -r table; do
  form=${table%.tsv}.txt
  [ -f "$form" ] || { echo "${table#$root/}: no form file beside it"; status=1; continue; }
  cp "$form" "$work/form.txt"
  python3 "$root/tools/form-texts.py" "$work/form.txt" "$table"
  if ! cmp -s "$form" "$work/form.txt"; then
    echo "${form#$root/} does not hold what ${table#$root/} says:" \
         "run python3 tools/form-texts.py ${form#$root/} ${table#$root/}"
    status=1
  fi
  count=$((count + 1))
done < <(find "$root/apps" "$root/examples" "$root/library" "$root/runtime" "$root/widgets" "$root/editor" -name '*.tsv' | sort)
echo "$count form tables checked"
exit $status
