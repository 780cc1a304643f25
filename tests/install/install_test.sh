#!/bin/sh
# Installs Kalimbo into a temporary DESTDIR, validates its desktop entry and
# AppStream metadata, installs it to other prefixes, and runs the menu
# launcher with a temporary home and a stand-in for the program, also on
# folders it cannot write.
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

# --- other prefixes --------------------------------------------------------
# The desktop entry starts the launcher and the manual page names the samples
# where they are installed, not where the build was configured to install.
# Rows: DESTDIR (or -) and prefix.
for row in "- $tmp/opt/kalimbo" "$tmp/stage /opt/kalimbo" "$tmp/stage2 $5/.."; do
    set -- $row
    destdir=$1 prefix=$(cd / && realpath -m "$2")
    [ "$destdir" = - ] && destdir=""
    DESTDIR=$destdir "$cmake" --install "$build" --prefix "$prefix" >"$tmp/install.log"
    at=$destdir$prefix
    entry=$at/share/applications/$app.desktop
    desktop-file-validate "$entry" || fail "$prefix: desktop entry does not validate"
    for line in "Exec=$prefix/libexec/kalimbo/kalimbo-start" \
                "Exec=$prefix/libexec/kalimbo/kalimbo-start --open-folder"; do
        grep -qx "$line" "$entry" || fail "$prefix: desktop entry lacks $line: $(grep ^Exec "$entry")"
    done
    [ -x "$at/libexec/kalimbo/kalimbo-start" ] || fail "$prefix: launcher not installed"
    case "$(gzip -dc "$at/share/man/man1/kalimbo.1.gz")" in
    *"$prefix/share/kalimbo/samples"*) ;;
    *) fail "$prefix: manual page does not name the installed samples" ;;
    esac
    [ -f "$at/share/kalimbo/samples/derHund.jpg" ] || fail "$prefix: samples not installed"
    [ ! -e "$at/share/kalimbo/.installing" ] || fail "$prefix: staging folder left behind"
    for f in applications/$app.desktop man/man1/kalimbo.1.gz; do
        grep -qx "$prefix/share/$f" "$build/install_manifest.txt" || fail "$prefix: $f not in the install manifest"
    done
done

# The manual page names the files the program reads and writes.
man=$(gzip -dc "$share/man/man1/kalimbo.1.gz")
for f in KALIMBO.INI derHund.wav Silben.txt Protokolle/ "*.pdf" "~/.config/Kalimbo/Kalimbo.ini"; do
    case "$man" in *"$f"*) ;; *) fail "manual page does not name $f" ;; esac
done

# --- the launcher ----------------------------------------------------------
# The stand-in program records where it was started and with which arguments.
cat >"$bin/kalimbo" <<'STUB'
#!/bin/sh
pwd >"$KALIMBO_TEST_RAN"
echo "$*" >>"$KALIMBO_TEST_RAN"
printf '%s' "${KALIMBO_START_NOTE-}" >"$KALIMBO_TEST_RAN.note"
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
# Settings go below each test home.
unset XDG_CONFIG_HOME
marker=.kalimbo-samples-copied

# start <home> <xdg answer or empty> [argument...]: runs the launcher from an unrelated folder.
start() {
    home=$1 answer=$2
    shift 2
    launch "$launcher" "$@"
}
# start_ro <folder> <home> <xdg answer or empty>: the same with <folder> read-only.
start_ro() {
    dir=$1 home=$2 answer=$3
    shift 3
    launch read_only "$dir" "$launcher" "$@"
}
launch() {
    rm -f "$tmp/ran" "$tmp/ran.note"
    (cd / && export HOME="$home" KALIMBO_TEST_PICTURES="$answer" && "$@") 2>"$tmp/launcher.log" ||
        { cat "$tmp/launcher.log" >&2; fail "launcher failed"; }
    [ -f "$tmp/ran" ] || fail "launcher did not start the program"
}
# read_only <folder> <command...>: runs the command with <folder> mounted
# read-only (mounts below it stay writable) in a namespace of its own, so
# that it holds for root too.
read_only() {
    unshare --user --map-root-user --mount \
        sh -c 'mount --rbind -o ro "$0" "$0" && exec "$@"' "$@"
}
# read_only_but_records <folder> <command...>: the same with its Protokolle writable.
read_only_but_records() {
    unshare --user --map-root-user --mount sh -c \
        'mount --bind "$0/Protokolle" "$0/Protokolle" && mount --rbind -o ro "$0" "$0" && exec "$@"' "$@"
}
started_in() { [ "$(head -n 1 "$tmp/ran" 2>/dev/null)" = "$1" ] || fail "$2: started in '$(head -n 1 "$tmp/ran")', not $1"; }
# said <row> <text...>: the program is told each text; said <row>: told nothing.
said() {
    row=$1
    shift
    note=$(cat "$tmp/ran.note" 2>/dev/null)
    [ $# -gt 0 ] || { [ -z "$note" ] || fail "$row: told '$note'"; return; }
    for text in "$@"; do
        case "$note" in *"$text"*) ;; *) fail "$row: not told '$text' in '$note'" ;; esac
    done
}
pictures() { (cd "$1" && ls); }

# Where the folder goes: under the picture folder, else in the home folder.
mkdir -p "$tmp/h1" "$tmp/h2" "$tmp/h3"
start "$tmp/h1" "$tmp/h1/Bilder/"
started_in "$tmp/h1/Bilder/Kalimbo" "picture folder set"
said "first start"
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
said "second start"

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

# --- the launcher on folders it cannot write ---------------------------------
# It never changes folders silently: it starts on the teacher's folder and has
# the program say what is not kept, or says why it cannot and shows the samples.
samples=$share/kalimbo/samples
kept="- die Einstellungen (KALIMBO.INI)"
records="- aufgezeichnete Antworten (Protokolle)"
pdf="- Ausdrucke als PDF-Datei, wenn kein Drucker eingerichtet ist"
extras="- die Schalter unter „Extras“"

# A name taken by a file.
mkdir -p "$tmp/h6"
echo "not a folder" >"$tmp/h6/Kalimbo"
start "$tmp/h6" ""
started_in "$samples" "a file in place of the folder"
said "a file in place of the folder" "Kalimbo kann den Bilderordner
$tmp/h6/Kalimbo
nicht anlegen: An seiner Stelle liegt eine Datei." "Beispielbilder" "$kept" "$records" "$pdf"
[ "$(cat "$tmp/h6/Kalimbo")" = "not a folder" ] || fail "the file in place of the folder was changed"

# Extras switches that cannot be kept, on a folder that is fine.
echo "not a folder" >"$tmp/config-file"
export XDG_CONFIG_HOME="$tmp/config-file"
start "$tmp/h1" "$tmp/h1/Bilder"
unset XDG_CONFIG_HOME
started_in "$folder" "settings folder not writable"
said "settings folder not writable" "Kalimbo kann im Ordner
$tmp/config-file/Kalimbo
nichts speichern.

Nicht gespeichert werden:
$extras"
case "$(cat "$tmp/ran.note")" in *KALIMBO.INI*) fail "settings folder not writable: KALIMBO.INI named" ;; esac

if read_only "$tmp" true 2>/dev/null; then
    # The teacher's folder read-only: the program starts there and says so.
    before=$(pictures "$folder")
    start_ro "$folder" "$tmp/h1" "$tmp/h1/Bilder"
    started_in "$folder" "read-only folder"
    said "read-only folder" "Der Bilderordner
$folder
ist schreibgeschützt. Kalimbo zeigt die Bilder darin, kann dort aber nichts ablegen.

Nicht gespeichert werden:
$kept
$records
$pdf"
    [ "$(pictures "$folder")" = "$before" ] || fail "read-only folder: pictures changed"

    # Records kept in a folder of their own that can be written.
    mkdir "$folder/Protokolle"
    home=$tmp/h1 answer=$tmp/h1/Bilder
    launch read_only_but_records "$folder" "$launcher"
    started_in "$folder" "read-only folder, writable records"
    said "read-only folder, writable records" "$kept
$pdf"
    case "$(cat "$tmp/ran.note")" in *Protokolle*) fail "writable records named as lost" ;; esac
    rmdir "$folder/Protokolle"

    # A read-only folder without pictures: the samples, and why.
    mkdir -p "$tmp/h7/Kalimbo"
    echo "notes" >"$tmp/h7/Kalimbo/liste.txt"
    start_ro "$tmp/h7/Kalimbo" "$tmp/h7" ""
    started_in "$samples" "read-only folder without pictures"
    said "read-only folder without pictures" "Im Bilderordner
$tmp/h7/Kalimbo
liegen keine Bilder, und er ist schreibgeschützt.
Kalimbo zeigt deshalb die mitgelieferten Beispielbilder." "$kept"
    [ ! -e "$tmp/h7/Kalimbo/$marker" ] || fail "read-only folder written to"

    # A read-only home on the first start: nothing can be made or kept.
    mkdir -p "$tmp/h8"
    start_ro "$tmp/h8" "$tmp/h8" ""
    started_in "$samples" "read-only home"
    said "read-only home" "Kalimbo kann den Bilderordner
$tmp/h8/Kalimbo
nicht anlegen: Das Dateisystem ist schreibgeschützt.
Es zeigt deshalb die mitgelieferten Beispielbilder.

Nicht gespeichert werden:
$kept
$records
$pdf
$extras"
else
    echo "SKIP: read-only folders (no user and mount namespaces here)" >&2
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "install test passed"
