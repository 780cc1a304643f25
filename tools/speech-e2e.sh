#!/usr/bin/env bash
# End to end: with "Wörter vorlesen" on, a real click on the reading screen's
# picture must be heard, and ten clicks 1.1 s apart on the picture in
# "Abschrift" must all be heard, each to its end: in the synthetic voice, and
# again with a recording (a 0.6 s tone) beside every picture. Runs the program
# on a copy of samples/ under Xvfb with openbox, plays into a PulseAudio null
# sink and records its monitor. Exit 0 when all was heard (or, with a message,
# when no sound server can be started here), non-zero otherwise.
set -uo pipefail
cd "$(dirname "$0")/.."
E2E=speech-e2e E2E_TOOLS=od
# shellcheck source=tools/e2e-sound.sh
. tools/e2e-sound.sh
printf '[Extras]\nWoerterVorlesen=true\n' > "$XDG_CONFIG_HOME/Kalimbo/Kalimbo.ini"

# Peak amplitude (0..1) of a raw recording of the sink.
RATE=22050
peak() { sox -t raw -r $RATE -e signed -b 16 -c 1 "$1" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}'; }
# The runs of sound in a raw recording, one length in ms a line; silences
# shorter than 250 ms belong to a run (the pauses inside a word).
runs() {
    od -An -t d2 -v -w2 "$1" | awk -v rate=$RATE '
        BEGIN { gap = rate / 4; start = -1 }
        { v = $1 < 0 ? -$1 : $1
          if (v > 300) { if (start < 0 || n - last > gap) { if (start >= 0) print int((last - start + 1) * 1000 / rate); start = n } last = n }
          n++ }
        END { if (start >= 0) print int((last - start + 1) * 1000 / rate) }'
}

export T APP RATE
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -u
    . "$T/session.sh"
    win() { timeout 5 xdotool search --sync --onlyvisible --name "$1" | head -1; }
    # Waits (20 s at most) until the noun announced on showing has been
    # heard and has ended: on a busy machine the first word can take
    # seconds, and a click into it would join the two sounds.
    announced() {
        heard=0
        quiet=0
        for k in $(seq 40); do
            timeout 0.5 parec -d kalimbo_e2e.monitor --format=s16le --rate=$RATE --channels=1 > "$T/q.raw"
            # A chunk that caught little sound data tells nothing.
            [ "$(stat -c %s "$T/q.raw")" -gt 8000 ] || continue
            p=$(sox -t raw -r $RATE -e signed -b 16 -c 1 "$T/q.raw" -n stat 2>&1 | awk "/Maximum amplitude/ {print \$3}")
            if awk -v p="${p:-0}" "BEGIN { exit !(p > 0.05) }"; then
                heard=1
                quiet=0
            elif [ $heard = 1 ]; then
                quiet=$((quiet + 1))
                [ $quiet -ge 2 ] && return 0
            fi
        done
    }
    menu=$(win "Kalimbo \\(Men")
    [ -n "$menu" ] || { echo "speech-e2e: no main menu"; kill $app; exit 3; }
    # Pictures on, as a teacher does it: "Lehrer ..." (240, 6840) opens the
    # options, whose panel slides in at 4320, 1680 with "Bilder bei Nomen
    # ein" at 3600, 960 inside it (twips; 15 to a pixel).
    timeout 5 xdotool mousemove --window "$menu" 64 472 click 1
    sleep 0.5
    timeout 5 xdotool mousemove --window "$menu" 548 185 click 1
    sleep 0.5
    # "Nomen" sits at 4080, 5160 (1455 x 495 twips).
    timeout 5 xdotool mousemove --window "$menu" 320 360 click 1
    reading=$(win "Kalimbo \\(Nomen\\)")
    [ -n "$reading" ] || { echo "speech-e2e: no reading screen"; kill $app; exit 3; }
    announced
    timeout 2 parec -d kalimbo_e2e.monitor --format=s16le --rate=$RATE --channels=1 > "$T/before.raw"
    timeout 4 parec -d kalimbo_e2e.monitor --format=s16le --rate=$RATE --channels=1 > "$T/click.raw" &
    rec=$!
    sleep 0.5
    # The picture is centred on 5400, 2700 twips.
    timeout 5 xdotool mousemove --window "$reading" 360 180 click 1
    wait $rec
    import -window root "$T/shot.png" 2>/dev/null
    kill $app 2>/dev/null
    wait $app 2>/dev/null

    # Ten clicks on the picture in "Abschrift" (7440, 5160 in the menu; the
    # picture frames are centred on 5407, 2767 twips).
    tenclicks() {
        "$APP" >>"$T/app.log" 2>&1 &
        app=$!
        menu=$(win "Kalimbo \\(Men")
        [ -n "$menu" ] || { echo "speech-e2e: no main menu"; kill $app; exit 3; }
        timeout 5 xdotool mousemove --window "$menu" 544 360 click 1
        copy=$(win "Kalimbo \\(Abschrift\\)")
        [ -n "$copy" ] || { echo "speech-e2e: no Abschrift"; kill $app; exit 3; }
        announced
        timeout 16 parec -d kalimbo_e2e.monitor --format=s16le --rate=$RATE --channels=1 --latency-msec=10 > "$1" &
        rec=$!
        # The first click only once the recording runs (parec can take a
        # second to start on a busy machine).
        for k in $(seq 50); do [ -s "$1" ] && break; sleep 0.1; done
        sleep 0.3
        for i in 1 2 3 4 5 6 7 8 9 10; do
            timeout 5 xdotool mousemove --window "$copy" 360 184 click 1
            sleep 1.1
        done
        wait $rec
        kill $app 2>/dev/null
        wait $app 2>/dev/null
    }
    tenclicks "$T/voice.raw"
    for f in *.*; do
        case "$f" in *.md) continue ;; esac
        sox -n -r 22050 -c 1 -b 16 "${f%%.*}.wav" synth 0.6 sine 440 vol 0.5
    done
    tenclicks "$T/recording.raw"
    exit 0
' || { echo "speech-e2e: the session failed"; cat "$T/app.log" 2>/dev/null; exit 1; }

before=$(peak "$T/before.raw")
after=$(peak "$T/click.raw")
echo "speech-e2e: peak before the click ${before:-none}, after it ${after:-none}"
if [ -z "$after" ] || [ -z "$before" ]; then
    echo "speech-e2e: nothing recorded"; cat "$T/app.log"; exit 1
fi
failed=0
if awk -v b="$before" -v a="$after" 'BEGIN { exit !(a > 0.05 && b < 0.01) }'; then
    echo "speech-e2e: the click was heard"
else
    echo "speech-e2e: FAILED, the click was not heard"
    failed=1
fi
# Ten runs of sound, all as long as the first (the voice) or as the 0.6 s tone.
for what in voice recording; do
    lengths=$(runs "$T/$what.raw" | tr '\n' ' ')
    echo "speech-e2e: ten clicks, $what heard (ms): $lengths"
    if echo "$lengths" | awk -v want=$([ $what = voice ] && echo 0 || echo 600) '
        { if (NF != 10) exit 1
          ref = want ? want : $1
          for (i = 1; i <= NF; i++) if ($i - ref > 30 || ref - $i > 30) exit 1 }'; then
        echo "speech-e2e: all ten clicks heard whole ($what)"
    else
        echo "speech-e2e: FAILED, not every click heard whole ($what)"
        failed=1
    fi
done
[ $failed -eq 0 ] || cat "$T/app.log"
exit $failed
