#!/usr/bin/env bash
# check_native_abi.sh LIB TABLE: the shared library exports exactly the Cam_
# functions of the export table TABLE ("name argcount" lines, '#' comments)
# and depends on the serial library.
set -u
lib=$1 table=$2
fail=0
exported=$(nm -D --defined-only "$lib" | awk '$2 ~ /^[TtWw]$/ {print $3}' | sort)
expected=$(sed 's/#.*//' "$table" | awk 'NF {print $1}' | sort)
if [ "$exported" != "$expected" ]; then
  echo "FAIL: exported functions differ from the table:"
  diff <(echo "$expected") <(echo "$exported")
  fail=1
fi
others=$(nm -D --defined-only "$lib" | awk '$2 !~ /^[TtWw]$/ {print $3}')
if [ -n "$others" ]; then
  echo "FAIL: other symbols exported:"; echo "$others"; fail=1
fi
readelf -d "$lib" | grep -q 'NEEDED.*\[libcomm32\.so\]' || { echo "FAIL: libcomm32.so not needed"; fail=1; }
[ $fail -eq 0 ] && echo "OK: $(echo "$exported" | wc -l) exports, libcomm32.so needed"
exit $fail
