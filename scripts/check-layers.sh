#!/usr/bin/env bash
# Fails when a file under src/ includes a folder above its own. The folders,
# from the bottom of the house to the top; a folder may include its own
# headers and those of the folders below it, never those above. Files directly
# in src/ (main.cpp) stand above every folder.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(platform state display sprites audio world weapons players screens net shell)

rank_of() {
  local i
  for i in "${!layers[@]}"; do
    if [[ ${layers[$i]} == "$1" ]]; then
      echo "$i"
      return
    fi
  done
  echo -1
}

status=0
while IFS= read -r file; do
  rel=${file#src/}
  if [[ $rel != */* ]]; then continue; fi
  own=${rel%%/*}
  own_rank=$(rank_of "$own")
  if ((own_rank < 0)); then
    echo "$file: the folder src/$own has no place in the order of scripts/check-layers.sh"
    status=1
    continue
  fi
  while IFS= read -r line; do
    number=${line%%:*}
    folder=$(sed -E 's/^[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"$line")
    rank=$(rank_of "$folder")
    if ((rank < 0 || rank > own_rank)); then
      echo "$file:$number: src/$own includes $folder/, which is not below it"
      status=1
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$file" || true)
done < <(find src -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if ((status == 0)); then
  echo "check-layers: includes go one way (${layers[*]})"
fi
exit $status
