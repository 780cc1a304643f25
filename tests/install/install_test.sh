#!/bin/sh
# Installs Kalimbo into a temporary DESTDIR, validates its desktop entry and
# AppStream metadata, and runs the menu launcher with a temporary home and a
# stand-in for the program.
#   install_test.sh <cmake> <build dir> <samples source dir> <bindir> <datadir>
set -eu
cmake=$1 build=$2 source_samples=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
root=$tmp/root
bin=$root$4 share=$root$5
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

DESTDIR=$root "$cmake" --install "$build" >"$tmp/install.log"

# --- installed files -------------------------------------------------------
app=de.kalimbo.Kalimbo
desktop=$share/applications/$app.desktop
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$share/metainfo/$app.metainfo.xml" >"$tmp/as.log" 2>&1 ||
    { cat "$tmp/as.log" >&2; fail "AppStream metadata does not validate"; }
[ -x "$bin/kalimbo" ] || fail "program not installed"
exec_line=$(sed -n 's/^Exec=//p' "$desktop" | head -n 1)
launcher=$root$exec_line
[ -x "$launcher" ] || fail "desktop entry starts '$exec_line', which is not installed"
grep -q "^Exec=$exec_line --open-folder$" "$desktop" || fail "no action that opens the folder"
[ -f "$share/icons/hicolor/scalable/apps/$app.svg" ] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x$size/apps/$app.png
    file "$png" | grep -q "PNG image data, $size x $size," || fail "icon $size px missing or wrong size"
done
expected=$(find "$source_samples" -maxdepth 1 -type f \( -iname '*.jpg' -o -iname '*.gif' \
    -o -iname '*.bmp' -o -iname '*.wmf' \) | wc -l)
installed=$(find "$share/kalimbo/samples" -type f | wc -l)
[ "$installed" -eq "$expected" ] || fail "$installed samples installed, $expected expected"

# --- the launcher ----------------------------------------------------------
# The stand-in program records where it was started and with which arguments.
cat >"$bin/kalimbo" <<'STUB'
#!/bin/sh
pwd >"$KALIMBO_TEST_RAN"
echo "$*" >>"$KALIMBO_TEST_RAN"
STUB
mkdir "$tmp/stubs"
cat >"$tmp/stubs/xdg-user-dir" <<'STUB'
#!/bin/sh
[ "$1" = PICTURES ] || exit 1
[ -n "${KALIMBO_TEST_PICTURES-}" ] || exit 1
echo "$KALIMBO_TEST_PICTURES"
STUB
cat >"$tmp/stubs/xdg-open" <<'STUB'
#!/bin/sh
echo "$1" >"$KALIMBO_TEST_RAN"
STUB
chmod +x "$tmp/stubs/"*
export KALIMBO_TEST_RAN="$tmp/ran" PATH="$tmp/stubs:$PATH"

# start <home> <xdg answer or empty> [argument...]: runs the launcher from an unrelated folder.
start() {
    rm -f "$tmp/ran"
    home=$1 answer=$2
    shift 2
    (cd / && HOME=$home KALIMBO_TEST_PICTURES=$answer "$launcher" "$@") || fail "launcher failed"
    [ -f "$tmp/ran" ] || fail "launcher did not start the program"
}
started_in() { [ "$(head -n 1 "$tmp/ran" 2>/dev/null)" = "$1" ] || fail "$2: started in '$(head -n 1 "$tmp/ran")', not $1"; }
pictures() { (cd "$1" && ls); }

# Where the folder goes: under the picture folder, else in the home folder.
mkdir -p "$tmp/h1" "$tmp/h2" "$tmp/h3"
start "$tmp/h1" "$tmp/h1/Bilder/"
started_in "$tmp/h1/Bilder/Kalimbo" "picture folder set"
start "$tmp/h2" "$tmp/h2"
started_in "$tmp/h2/Kalimbo" "xdg-user-dir answers with the home folder"
start "$tmp/h3" ""
started_in "$tmp/h3/Kalimbo" "no answer from xdg-user-dir"

# First start: the folder holds exactly the samples, byte for byte.
folder=$tmp/h1/Bilder/Kalimbo
[ "$(pictures "$folder")" = "$(pictures "$share/kalimbo/samples")" ] || fail "first start: not the samples"
diff -r -x ".*" "$folder" "$share/kalimbo/samples" >/dev/null || fail "first start: samples differ"

# Later starts keep what the teacher deleted, added and changed.
rm "$folder/derHund.jpg" "$folder/dieWolke.wmf"
cp "$source_samples/dieKatze.jpg" "$folder/dieTasse.jpg"
echo "teacher's ini" >"$folder/KALIMBO.INI"
before=$(pictures "$folder")
start "$tmp/h1" "$tmp/h1/Bilder" "extra argument"
started_in "$folder" "second start"
[ "$(sed -n 2p "$tmp/ran")" = "extra argument" ] || fail "arguments not passed on"
[ "$(pictures "$folder")" = "$before" ] || fail "second start changed the folder"
[ "$(cat "$folder/KALIMBO.INI")" = "teacher's ini" ] || fail "second start touched KALIMBO.INI"

# A folder the teacher made before the first start: samples are added beside
# the teacher's pictures, never over them.
mkdir -p "$tmp/h4/Kalimbo"
echo "own dog" >"$tmp/h4/Kalimbo/derHund.jpg"
echo "own cup" >"$tmp/h4/Kalimbo/dieTasse.gif"
start "$tmp/h4" ""
[ "$(cat "$tmp/h4/Kalimbo/derHund.jpg")" = "own dog" ] || fail "a teacher's picture was overwritten"
[ -f "$tmp/h4/Kalimbo/dieTasse.gif" ] || fail "a teacher's picture was removed"
cmp -s "$tmp/h4/Kalimbo/dieKatze.jpg" "$source_samples/dieKatze.jpg" || fail "samples not added to an existing folder"
[ -z "$(find "$tmp/h4/Kalimbo" -name '*.part')" ] || fail "half-copied files left behind"

# The desktop action opens the folder, creating it first.
start "$tmp/h5" "" "--open-folder"
[ "$(cat "$tmp/ran")" = "$tmp/h5/Kalimbo" ] || fail "open-folder opened '$(cat "$tmp/ran")'"
[ -f "$tmp/h5/Kalimbo/derHund.jpg" ] || fail "open-folder did not fill the folder"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "install test passed"
