#!/usr/bin/env bash
# Prints the includes between the layers under src/: "from -> to" with how many there are.
cd "${1:-.}/src"
grep -rhoE --include='*.cpp' --include='*.h' -H '^#include "[^"]+"' . | while IFS=: read -r file inc; do
  from=$(echo "$file" | sed -E 's#^\./##; s#/(win32|native|x86_64|i686)(/.*)?/[^/]+$##; s#/[^/]+$##; s#/(win32|native)$##')
  path=$(echo "$inc" | sed -E 's/#include "(.*)"/\1/')
  to=$(echo "$path" | sed -E 's#/[^/]+$##; s#/(win32|native)(/.*)?$##')
  [[ "$path" != */* ]] && to="$from"
  from=${from%%/*}; to=${to%%/*}
  [[ "$from" != "$to" ]] && echo "$from -> $to"
done | sort | uniq -c | sort -k2
