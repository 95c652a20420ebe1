#!/usr/bin/env bash
# scripts/put-history: a new program folder gets the history file in its
# "历史号码"; a file the user put there under that name is never replaced;
# without the history file nothing happens.
set -euo pipefail

put="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

history="$work/shared/mark-six-1993-2025.txt"
mkdir -p "$work/shared"
printf '2025133 01 02 04 30 41 43 13\n2025134 07 10 11 19 25 30 45\n' > "$history"
# The shared folder may come without write bits.
chmod a-w "$history"

# A new program folder: the folder is made and the file copied, writable.
new="$work/new"
mkdir -p "$new"
"$put" "$new" "$history" >/dev/null
cmp -s "$history" "$new/历史号码/mark-six-1993-2025.txt" || fail "the file was not copied"
[ -w "$new/历史号码/mark-six-1993-2025.txt" ] || fail "the copy is not writable"

# A folder of the user's own: their file of that name and their other files stay.
own="$work/own"
mkdir -p "$own/历史号码"
echo "2026001 01 02 03 04 05 06 07" > "$own/历史号码/mark-six-1993-2025.txt"
echo "mine" > "$own/历史号码/other.txt"
"$put" "$own" "$history" >/dev/null
[ "$(cat "$own/历史号码/mark-six-1993-2025.txt")" = "2026001 01 02 03 04 05 06 07" ] || fail "the user's file was replaced"
[ "$(cat "$own/历史号码/other.txt")" = "mine" ] || fail "another file was touched"

# Without the history file nothing is made.
none="$work/none"
mkdir -p "$none"
"$put" "$none" "$work/missing.txt" >/dev/null || fail "a missing history file is an error"
[ ! -e "$none/历史号码" ] || fail "a folder was made for nothing"

echo "put-history: ok"
