#!/bin/sh
# check_exports.sh LIBRARY TABLE: the library exports exactly the functions of
# the export table TABLE ("name argcount" lines, '#' comments).
set -eu
expected=$(sed 's/#.*//' "$2" | awk 'NF {print $1}' | sort | tr '\n' ' ' | sed 's/ $//')
actual=$(nm -D --defined-only "$1" | awk '{print $3}' | sort | tr '\n' ' ' | sed 's/ $//')
if [ -z "$expected" ] || [ "$actual" != "$expected" ]; then
  echo "exports of $1:"
  echo "  expected: $expected"
  echo "  actual:   $actual"
  exit 1
fi
echo "exports of $1: $actual"
