#!/usr/bin/env bash
# Rejects an include that runs up the layers, and a source file that the
# build does not list. The layers and what each may include come from the
# links of the kalimbo_layer() calls in src/CMakeLists.txt, so the build and
# this check tell one story; the build enforces it through each layer's
# include directory, and this also covers headers no compiler sees alone.
set -euo pipefail
cd "$(dirname "$0")/.."
declare -A dirOf links may
# "target dir link link ..." for every layer.
while read -r target dir rest; do
    dirOf[$target]=$dir
    links[$target]=$rest
done < <(awk '
    /^kalimbo_layer\(/ { sub(/^kalimbo_layer\(/, ""); target = $1; dir = $2; inLinks = 0; out = ""; open = 1; next }
    open && /^  LINKS/ { for (i = 2; i <= NF; ++i) out = out " " $i; next }
    open && /^  SOURCES/ { print target, dir, out; open = 0 }
' src/CMakeLists.txt)
# What a layer may include: itself and every kalimbo layer it links, at any depth.
reach() {
    local t=$1 l
    echo "${dirOf[$t]}"
    for l in ${links[$t]}; do
        if [ -n "${dirOf[$l]+x}" ]; then reach "$l"; fi
    done
}
for t in "${!dirOf[@]}"; do
    may[${dirOf[$t]}]=" $(reach "$t" | sort -u | tr '\n' ' ')"
done
bad=0
while IFS= read -r file; do
    layer=${file#src/}
    layer=${layer%%/*}
    allowed=${may[$layer]:-}
    if [ -z "$allowed" ]; then
        echo "$file: folder '$layer' is no layer of src/CMakeLists.txt"
        bad=1
        continue
    fi
    while IFS= read -r inc; do
        target=${inc%%/*}
        [ -n "${may[$target]+x}" ] || continue # Qt, system or same-folder headers
        case "$allowed " in
            *" $target "*) ;;
            *) echo "$file: includes \"$inc\" from layer '$target', which '$layer' does not link"; bad=1 ;;
        esac
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
    # Every source is listed by name in src/CMakeLists.txt.
    rel=${file#src/}
    if ! grep -qE "^  ${rel//./\\.}\)?\$" src/CMakeLists.txt; then
        echo "$file: not listed in the build (src/CMakeLists.txt)"
        bad=1
    fi
done < <(git ls-files 'src/*/*.cpp' 'src/*/*.h' 'src/*/*/*.cpp' 'src/*/*/*.h')
[ $bad -eq 0 ] && echo "layers: every include runs down a link, every source is built"
exit $bad
