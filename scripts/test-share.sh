#!/usr/bin/env bash
# The share of tests in the code: non-blank, non-comment lines of C++ under
# tests/ against those under src/, tools/ and bench/. With file or folder
# arguments, prints only their count of such lines.
set -euo pipefail
cd "$(dirname "$0")/.."

lines() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat |
    awk '{ sub(/^[ \t]+/, "") }
         block { if (index($0, "*/")) block = 0; next }
         /^\/\*/ { if (!index($0, "*/")) block = 1; next }
         /^\/\// || /^$/ { next }
         { n++ }
         END { print n + 0 }'
}

if (($#)); then
  lines "$@"
  exit
fi
tests=$(lines tests)
code=$(lines src tools bench)
echo "tests $tests, code $code: $((100 * tests / code)) %"
