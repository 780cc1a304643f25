#!/usr/bin/env bash
# Rejects an include that runs up the layers, and a source file that the
# build does not list. The build enforces the same through each layer's
# include directory; this says it in words and also covers headers no
# compiler sees alone.
set -euo pipefail
cd "$(dirname "$0")/.."
declare -A may=(
    [files]="files"
    [core]="files core"
    [rules]="files core rules"
    [records]="files core records"
    [syllables]="files syllables"
    [drawing]="files core drawing"
    [ui]="files core drawing ui"
    [program]="files core drawing ui program records syllables"
    [log]="files core rules drawing ui program records syllables log"
    [exercises]="files core rules drawing ui program records syllables speech exercises"
    [games]="files core rules drawing ui program records syllables games"
    [worksheets]="files core rules drawing ui program records syllables worksheets"
    [speech]="files core speech"
    [app]="files core rules drawing ui program records syllables speech log exercises games worksheets app"
)
bad=0
while IFS= read -r file; do
    layer=${file#src/}
    layer=${layer%%/*}
    allowed=${may[$layer]:-}
    if [ -z "$allowed" ]; then
        echo "$file: folder '$layer' is no known layer (add it to tools/check-layers.sh)"
        bad=1
        continue
    fi
    while IFS= read -r inc; do
        target=${inc%%/*}
        [ -n "${may[$target]+x}" ] || continue # Qt, system or same-folder headers
        case " $allowed " in
            *" $target "*) ;;
            *) echo "$file: includes \"$inc\" from layer '$target' above '$layer'"; bad=1 ;;
        esac
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
    # Every source is listed by name in a CMakeLists.txt of src/.
    rel=${file#src/}
    own=src/$layer/CMakeLists.txt
    if ! grep -qF -- "$rel" src/CMakeLists.txt &&
       ! { [ -f "$own" ] && grep -qF -- "${rel#*/}" "$own"; }; then
        echo "$file: not listed in the build (src/CMakeLists.txt)"
        bad=1
    fi
done < <(git ls-files 'src/*/*.cpp' 'src/*/*.h')
[ $bad -eq 0 ] && echo "layers: every include runs down, every source is built"
exit $bad
