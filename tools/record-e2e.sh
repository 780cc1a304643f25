#!/usr/bin/env bash
# End to end: a teacher records a word in "Wörter" with real clicks. A
# private PulseAudio server whose default source is a 440 Hz tone stands in
# for the microphone; the program runs on a copy of samples/ under Xvfb with
# openbox. Checks the stored dasBoot.wav (mono 16-bit PCM, the tone, within
# the length limit), that "Anhören" plays it, that a second recording with
# the question answered by Return ("Nein") changes nothing, and that one
# answered "Ja" puts the old recording into Papierkorb. Exit 0 when all
# holds (or, with a message, when no sound server can be started here),
# non-zero otherwise. KALIMBO_E2E_KEEP=1 keeps the folder with screenshots.
set -uo pipefail
cd "$(dirname "$0")/.."
E2E=record-e2e E2E_TOOLS="soxi import cmp"
# shellcheck source=tools/e2e-sound.sh
. tools/e2e-sound.sh
# A tone as the default source stands in for the microphone.
e2e_pactl load-module module-sine-source source_name=kalimbo_tone frequency=440
e2e_pactl set-default-source kalimbo_tone

export T APP
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -u
    . "$T/session.sh"
    win() { timeout 8 xdotool search --sync --onlyvisible --name "$1" | head -1; }
    click() { timeout 5 xdotool mousemove --window "$1" "$2" "$3" click 1; }
    fail() { echo "record-e2e: $1"; import -window root "$T/failed.png" 2>/dev/null; kill $app; exit 3; }
    menu=$(win "Kalimbo \\(Men")
    [ -n "$menu" ] || fail "no main menu"
    # "Lehrer ..." (240, 6840 twips) slides in the options; "Extras ..."
    # sits at 4800, 0 in their panel at 4320, 1680.
    click "$menu" 64 472
    sleep 1
    click "$menu" 648 120
    extras=$(win "Kalimbo \\(Extras\\)")
    [ -n "$extras" ] || fail "no Extras dialog"
    # It may grow once more when it has asked for the sound output (1.5 s).
    sleep 2
    # "Wörter verwalten ..." keeps its distance from the dialog'"'"'s bottom edge,
    # whichever notes show above it.
    height=$(xdotool getwindowgeometry "$extras" | awk -F"[x ]" "/Geometry/ {print \$NF}")
    click "$extras" 89 $((height - 157))
    words=$(win "Kalimbo \\(W")
    [ -n "$words" ] || fail "no word manager"
    sleep 1.5
    # The row "das Boot", then "Aufnehmen", and "Stopp" after a while.
    record() {
        click "$words" 232 119
        sleep 0.5
        click "$words" 56 608
        sleep 1.2
        import -window root "$T/$1.png" 2>/dev/null
        sleep 0.5
        click "$words" 148 608
        sleep 1.5
    }
    record recording
    [ -s dasBoot.wav ] || fail "no dasBoot.wav after the first recording"
    cp dasBoot.wav "$T/first.wav"
    timeout 4 parec -d kalimbo_e2e.monitor --format=s16le --rate=22050 --channels=1 > "$T/listen.raw" &
    rec=$!
    sleep 0.5
    click "$words" 235 608 # "Anhören"
    wait $rec
    # Again: the question comes, and Return keeps the old recording.
    record again
    import -window root "$T/question.png" 2>/dev/null
    timeout 5 xdotool key Return
    sleep 1
    cp dasBoot.wav "$T/kept.wav"
    # And once more, answered "Ja": the old one goes into the trash.
    record third
    timeout 5 xdotool key alt+j
    sleep 1.5
    import -window root "$T/done.png" 2>/dev/null
    kill $app 2>/dev/null
    wait $app 2>/dev/null
    exit 0
' || { echo "record-e2e: the session failed"; cat "$T/app.log" 2>/dev/null; exit 1; }

bad=0
check() { if eval "$2"; then echo "record-e2e: ok   $1"; else echo "record-e2e: FAIL $1"; bad=1; fi; }
info=$(soxi "$T/first.wav" 2>&1)
len=$(soxi -D "$T/first.wav" 2>/dev/null || echo 0)
freq=$(sox "$T/first.wav" -n stat 2>&1 | awk '/Rough   frequency/ {print $3}')
heard=$(sox -t raw -r 22050 -e signed -b 16 -c 1 "$T/listen.raw" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}')
echo "record-e2e: stored $len s at ${freq:-?} Hz; heard at peak ${heard:-none}"
check "mono 16-bit PCM WAV" 'grep -q "Channels       : 1" <<<"$info" && grep -q "16-bit Signed Integer PCM" <<<"$info"'
check "within 10 s" 'awk -v l="$len" "BEGIN { exit !(l > 0.5 && l <= 10.01) }"'
check "the tone" 'awk -v f="${freq:-0}" "BEGIN { exit !(f > 400 && f < 480) }"'
check "Anhören plays it" 'awk -v p="${heard:-0}" "BEGIN { exit !(p > 0.2) }"'
check "Nein keeps the recording" 'cmp -s "$T/first.wav" "$T/kept.wav"'
check "Ja puts the old one into Papierkorb" 'cmp -s "$T/first.wav" "$T/work/Papierkorb/dasBoot.wav" && [ -s "$T/work/dasBoot.wav" ]'
[ $bad -eq 0 ] || cat "$T/app.log"
exit $bad
