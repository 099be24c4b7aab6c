#!/usr/bin/env bash
# Both editions look and store the same under the Japanese system code page (932), an English one
# (1252) and UTF-8 (65001, what Windows' UTF-8 option sets; Wine gives it to a language with no
# ANSI code page): the month with a Japanese memo, the window menu and the date memo dialog give
# the same pixels, and a memo typed into the dialog is stored as the same code page 932 bytes.
# The data sit in a folder named in Japanese, named on the command line.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_SOURCE_DIR:?}" "${TESSEL_TEST_TMP:?}"
D=$TESSEL_TEST_TMP/code_pages
mkdir -p "$D"
. "$(dirname "$0")/e2e_common.sh"
year=$(date +%Y) month=$(date +%-m) day=$(date +%-d)
other=1
[ "$day" = 1 ] && other=2
# Today's cell in the default table: seven 64-pixel columns, rows 75 pixels apart below a
# 40-pixel head.
first=$(date -d "$(date +%Y-%m-01)" +%s)
index=$(( ($(date -u -d "$(date +%Y-%m-%d)" +%s) - $(date -u -d "$(date +%Y-%m-01)" +%s)) / 86400 + $(date -d @"$first" +%w) ))
cell_x=$(( (index % 7) * 64 + 34 )) cell_y=$(( 40 + (index / 7) * 75 + 40 ))
sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
dialog() { window_named 日付メモ; }

# run EXE LOCALE: the pictures and the stored memo of one edition under one locale, in
# $D/<exe>-<locale>/.
run() {
    local exe=$1 locale=$2 out=$D/$1-$2 folder
    folder=$out/予定表
    mkdir -p "$folder"
    cp "$TESSEL_WIN_BUILD/$exe.exe" "$out/"
    cp "$TESSEL_SOURCE_DIR/data/tessel_holiday.ini" "$folder/cal_holiday.ini"
    printf '[CONFIG]\r\nKEYASSIGN_ENABLE=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n' >"$folder/cal.ini"
    { printf '[%s]\r\n%s=' "$month" "$other"; sjis '打ち合わせ 10:00'; printf '\r\n'; } >"$folder/cal_memo$year.ini"
    { printf '[MEMO]\r\nMEMO='; sjis '今月の予定'; printf '\r\n'; } >"$folder/cal_memo.ini"
    local config
    config=$(winepath -w "$folder/cal.ini" 2>/dev/null)
    env LC_ALL="$locale" wine "$out/$exe.exe" "$config" >/dev/null 2>&1 &
    PID=$!
    WIN=
    for _ in $(seq 1 300); do
        WIN=$(window)
        [ -n "$WIN" ] && break
        sleep 0.1
    done
    [ -n "$WIN" ] || { fail "$exe under $locale: no calendar window"; return; }
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    import -window "$WIN" "$out/month.png" 2>/dev/null
    # The window menu, by a right click on the title band.
    click 100 10 3
    sleep 0.8
    import -window root -crop "300x330+$((X + 100))+$((Y + 10))" "$out/menu.png" 2>/dev/null
    xdotool key Escape
    sleep 0.3
    # Today's memo dialog, then a memo typed into it and stored with OK.
    xdotool mousemove $((X + cell_x)) $((Y + cell_y)) click --repeat 2 --delay 80 1
    if [ "$(wait_shown dialog yes)" = yes ]; then
        sleep 0.8
        # Away from the memo's edit, so its blinking caret is not in the picture.
        xdotool key Tab
        sleep 0.5
        import -window "$(dialog)" "$out/dialog.png" 2>/dev/null
        xdotool key shift+Tab
        xdotool type --delay 100 '会議 9:30～ ①'
        sleep 0.3
        eval "$(xdotool getwindowgeometry --shell "$(dialog)" | sed 's/^/DIALOG_/')"
        # OK by the mouse (Enter types a new line in the memo): the button left of Cancel.
        xdotool mousemove $((DIALOG_X + DIALOG_WIDTH - 124)) $((DIALOG_Y + DIALOG_HEIGHT - 27)) click 1
        wait_shown dialog no >/dev/null
    else
        fail "$exe under $locale: the date memo dialog did not open"
    fi
    sleep 0.5
    ini_get "$folder/cal_memo$year.ini" "$month" "$day" >"$out/stored"
    env LC_ALL="$locale" wine taskkill /IM "$exe.exe" >/dev/null 2>&1
    wait "$PID" 2>/dev/null
    PID=
    for _ in $(seq 1 100); do [ -z "$(window)" ] && break; sleep 0.1; done
}

same_picture() {  # what a b
    local n
    n=$(compare -metric AE "$2" "$3" null: 2>&1)
    check "$1" "${n%% *}" 0
}

want=$(sjis '会議 9:30～ ①')
for exe in desk-calendar desk-calendar-classic; do
    run "$exe" ja_JP.UTF-8
    ja=$D/$exe-ja_JP.UTF-8
    check "$exe: the typed memo is stored as 932 under 932" "$(cat "$ja/stored")" "$want"
    for setting in "en_US.UTF-8 1252" "hi_IN.UTF-8 65001"; do
        locale=${setting% *} page=${setting#* }
        run "$exe" "$locale"
        o=$D/$exe-$locale
        same_picture "$exe: the month is the same under 932 and $page" "$ja/month.png" "$o/month.png"
        same_picture "$exe: the window menu is the same under $page" "$ja/menu.png" "$o/menu.png"
        same_picture "$exe: the date memo dialog is the same under $page" "$ja/dialog.png" "$o/dialog.png"
        check "$exe: the typed memo is stored as 932 under $page" "$(cat "$o/stored")" "$want"
    done
done
[ "$failures" -eq 0 ] && echo "code pages e2e: all checks passed"
[ "$failures" -eq 0 ]
