#!/usr/bin/env bash
# The layers of src/ depend in one direction only: a file includes headers from its own layer
# and the layers below it, never from a layer above, and never from a sibling beside it (the
# platform backends do not know each other). The order is the one src/CMakeLists.txt builds.
#   check_layers.sh SRC_DIR
set -euo pipefail
src=${1:?usage: check_layers.sh SRC_DIR}

# Layer of a path under src/, as "rank name": the platform interfaces are the files directly in
# platform/; each backend below platform/ is a layer of its own at one rank.
layer_of() {
    case $1 in
    engine/*) echo "0 engine" ;;
    settings/*) echo "1 settings" ;;
    platform/*/*) echo "4 platform/$(cut -d/ -f2 <<<"$1")" ;;
    platform/*) echo "2 platform" ;;
    titlebar/*) echo "3 titlebar" ;;
    presenter/*) echo "4 presenter" ;;
    commandline/*) echo "4 commandline" ;;
    widgets/*) echo "5 widgets" ;;
    views/*) echo "6 views" ;;
    app/* | launcher/* | win32app/*) echo "7 ${1%%/*}" ;;
    *) echo "unknown" ;;
    esac
}

cd "$src"
declare -A where
while IFS= read -r header; do
    where[${header##*/}]=$header
done < <(find . -name '*.h' -printf '%P\n')

crossings=0
while IFS= read -r file; do
    read -r rank name <<<"$(layer_of "$file")"
    if [[ $rank == unknown ]]; then
        echo "$file: in no layer (add its folder to tests/check_layers.sh)"
        crossings=$((crossings + 1))
        continue
    fi
    while IFS= read -r included; do
        target=${where[$included]:-}
        [[ -n $target ]] || continue # a system or library header
        read -r trank tname <<<"$(layer_of "$target")"
        if ((trank > rank)) || { ((trank == rank)) && [[ $tname != "$name" ]]; }; then
            echo "$file ($name) includes $target ($tname)"
            crossings=$((crossings + 1))
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find . \( -name '*.h' -o -name '*.cpp' \) -printf '%P\n' | sort)

if ((crossings > 0)); then
    echo "$crossings include(s) against the layer order"
    exit 1
fi
echo "every include runs down the layers"
