#!/usr/bin/env bash
# The list form at its default width shows its whole title and all seven buttons, in both
# editions and with a short and a long title: on screen the title's ink is the same as in a wide
# list, the leftmost button's frame is inside the window, and nothing dark lies between the title
# and the buttons.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { if [ "$2" = "$3" ]; then echo "ok: $1"; else fail "$1: got '$2', want '$3'"; fi; }
PID=
trap '[ -n "$PID" ] && kill $PID 2>/dev/null' EXIT

# Large buttons: 16 pixels, 18 apart, the rightmost a pixel from the edge; the title band is
# 19 pixels high.
BUTTONS=126

# shoot PROGRAM NAME CONFIG-LINES...: starts PROGRAM in a folder of its own with that
# configuration, and leaves the window's width in W and, in $D/NAME.cols, one line per column
# of the title band: the number of dark pixels in it.
shoot() {
    local program=$1 name=$2
    shift 2
    D=$TESSEL_TEST_TMP/$name
    mkdir -p "$D"
    cp "$TESSEL_WIN_BUILD/$program.exe" "$D/"
    printf '%s\r\n' '[CONFIG]' 'BTN_SIZE=1' 'CALENDAR_TYPE=1' 'WIN_POS_X_1280=300' 'WIN_POS_Y_1024=200' "$@" |
        iconv -f UTF-8 -t CP932 >"$D/$program.ini"
    env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$D/$program.exe" >/dev/null 2>&1 &
    PID=$!
    WIDTH=0
    for _ in $(seq 1 150); do
        for id in $(xdotool search --onlyvisible --name '^Tessel$' 2>/dev/null); do
            geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null) || continue
            eval "$geometry"
        done
        [ "${WIDTH:-0}" -gt 0 ] && [ "${X:-0}" = 300 ] && break
        sleep 0.1
    done
    sleep 1
    W=$WIDTH
    import -window root -crop "${WIDTH}x15+${X}+$((Y + 2))" +repage "$D/title.png" || fail "$name: no screenshot"
    convert "$D/title.png" -depth 8 txt:- | awk -F'[,:() ]+' -v w="$WIDTH" '
        NR > 1 { if ($4 < 100 && $5 < 100 && $6 < 100) dark[$1]++ }
        END { for (x = 0; x < w; x++) print dark[x] + 0 }' >"$D/$name.cols"
    env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine taskkill /IM "$program.exe" >/dev/null 2>&1
    wait "$PID" 2>/dev/null
    PID=
    for _ in $(seq 1 100); do [ -z "$(xdotool search --name '^Tessel$' 2>/dev/null)" ] && break; sleep 0.1; done
}

# The last column (0-based) before column $2 of file $1 with ink, -1 without.
last_ink() { awk -v before="$2" 'NR - 1 < before && $1 > 0 { last = NR - 1 } END { print (last == "" ? -1 : last) }' "$1"; }

# The default title, and a longer one in a larger bold font (which GDI+ lays out wider than GDI
# measures it).
LONG_TITLE=('TITLE_FORM=! %Y年%m月 (%g%h年)' '[FONTS]' 'TITLE=ＭＳ Ｐゴシック,11,1,0,0,0')
for program in desk-calendar desk-calendar-classic; do
    for title in default long; do
        extra=()
        [ "$title" = long ] && extra=("${LONG_TITLE[@]}")
        # A list wide enough for anything: where its title's ink is.
        shoot "$program" "$program-$title-wide" 'LIST_WIDTH=399' "${extra[@]}"
        wide=$TESSEL_TEST_TMP/$program-$title-wide/$program-$title-wide.cols
        check "$program, $title title: the wide list is as wide as asked" "$W" 400
        ref=$(last_ink "$wide" $((400 - BUTTONS - 2)))
        [ "$ref" -gt 20 ] && echo "ok: $program: the title is drawn (ink to column $ref)" ||
            fail "$program: no title ink in the wide list ($ref)"

        # The list as a configuration without LIST_WIDTH gives it: as wide as a cell (64).
        shoot "$program" "$program-$title" "${extra[@]}"
        cols=$TESSEL_TEST_TMP/$program-$title/$program-$title.cols
        start=$((W - BUTTONS))
        [ "$W" -gt 65 ] && echo "ok: $program, $title title: the default list is widened to $W" || fail "$program: the list is $W wide"
        [ "$start" -gt "$ref" ] && echo "ok: $program: the buttons begin right of the title" ||
            fail "$program: the buttons begin at $start, the title's ink ends at $ref"
        frame=0
        [ "$start" -ge 0 ] && frame=$(sed -n "$((start + 1))p" "$cols")
        [ "${frame:-0}" -ge 12 ] && echo "ok: $program: the leftmost button's frame is in the window" ||
            fail "$program: no frame at column $start (${frame:-none} dark pixels)"
        check "$program: the whole title, as in the wide list" "$(head -n $((ref + 1)) "$cols" | md5sum)" \
            "$(head -n $((ref + 1)) "$wide" | md5sum)"
        check "$program: nothing between the title and the buttons" "$(last_ink "$cols" "$start")" "$ref"
    done
done

[ "$failures" -eq 0 ] && echo "title band e2e: all checks passed"
[ "$failures" -eq 0 ]
