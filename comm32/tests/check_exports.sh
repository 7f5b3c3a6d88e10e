#!/bin/sh
# check_exports.sh LIBRARY: the library exports exactly the eight functions.
set -eu
expected="ComClose ComOpen ComReadBufToQuiet ComReadTimed ComSetBaud ComSetFlow ComSleepMS ComWrite"
actual=$(nm -D --defined-only "$1" | awk '{print $3}' | sort | tr '\n' ' ' | sed 's/ $//')
if [ "$actual" != "$expected" ]; then
  echo "exports of $1:"
  echo "  expected: $expected"
  echo "  actual:   $actual"
  exit 1
fi
echo "exports of $1: $actual"
