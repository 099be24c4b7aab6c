#!/usr/bin/env bash
# The first start of each edition in an empty folder shows the standard design: today's cell
# marked, the cells in a visible grid, 日 … 土 over the columns and the era in the title, and the
# configuration file keeps it for the next start. A start with an existing configuration file
# reads it as before and leaves its bytes as they were.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_TEST_TMP:?}"
D=$TESSEL_TEST_TMP
. "$(dirname "$0")/../app/e2e_common.sh"

sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
# "r,g,b" of the pixel at x,y of screenshot $1.
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
near() {  # near "r,g,b" "r,g,b": within 3 in every channel
    local a b i d
    IFS=, read -r -a a <<<"$1"
    IFS=, read -r -a b <<<"$2"
    for i in 0 1 2; do
        d=$((a[i] - b[i]))
        [ ${d#-} -le 3 ] || { echo no; return; }
    done
    echo yes
}
# Pixels of screenshot $1 in the rectangle $2 (WxH+X+Y) for which the fx expression $3 holds.
count() { convert "$1" -crop "$2" +repage -fx "$3" -format '%[fx:int(w*h*mean+0.5)]' info:; }

# run PROGRAM FOLDER: starts it there, takes a screenshot of its window ($FOLDER/shot.png) and
# closes it again.
run() {
    local program=$1 folder=$2
    env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$folder/$program.exe" >/dev/null 2>&1 &
    PID=$!
    WIN=
    for _ in $(seq 1 300); do
        WIN=$(window)
        [ -n "$WIN" ] && break
        sleep 0.1
    done
    [ -n "$WIN" ] || { fail "$program: no calendar window"; return; }
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$folder/shot.png" || fail "$program: no screenshot"
    env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine taskkill /IM "$program.exe" >/dev/null 2>&1
    wait "$PID" 2>/dev/null
    PID=
    for _ in $(seq 1 100); do [ -z "$(xdotool search --name '^Tessel$' 2>/dev/null)" ] && break; sleep 0.1; done
}

# Today's cell in the table of this month: weeks from Sunday, 64-pixel columns, rows of 75 under
# a title of 19 and a weekday head of 14 pixels.
first_wday=$(date -d "$(date +%Y-%m-01)" +%w)
today=$(date +%-d)
index=$((first_wday + today - 1))
col=$((index % 7)) row=$((index / 7))
cell_x=$((col * 64)) cell_y=$((19 + 14 + row * 75))
# The neighbour in the same row, to tell the marked cell from the others.
other_x=$(( col < 6 ? cell_x + 64 : cell_x - 64 ))
# The standard design's today (fff2b0) and grid (a0a8b8); the layered edition shows them at
# alpha 254, the classic one as they are.
today_rgb() { [ "$1" = desk-calendar ] && echo 254,241,175 || echo 255,242,176; }
grid_rgb() { [ "$1" = desk-calendar ] && echo 159,167,183 || echo 160,168,184; }

for program in desk-calendar desk-calendar-classic; do
    new=$TESSEL_TEST_TMP/$program-new
    mkdir -p "$new"
    cp "$TESSEL_WIN_BUILD/$program.exe" "$new/"
    run "$program" "$new"
    ini=$new/$program.ini
    shot=$new/shot.png
    check "$program: a new user's design is 標準" "$(ini_get "$ini" CONFIG CURRENT_DESIGN)" "$(sjis 標準)"
    check "$program: 日 … 土 over the columns" "$(ini_get "$ini" CONFIG HEAD_FORM)" "$(sjis 日,月,火,水,木,金,土)"
    check "$program: the era in the title" "$(ini_get "$ini" CONFIG TITLE_FORM)" "$(sjis '! %Y年%m月 (%g%h年)')"
    check "$program: today's cell is marked" "$(near "$(pixel "$shot" $((cell_x + 50)) $((cell_y + 60)))" "$(today_rgb "$program")")" yes
    check "$program: the other cells are not" "$(near "$(pixel "$shot" $((other_x + 50)) $((cell_y + 60)))" "$(today_rgb "$program")")" no
    check "$program: the grid between the columns" "$(near "$(pixel "$shot" 64 $((19 + 14 + 40)))" "$(grid_rgb "$program")")" yes
    # The title's white ink on its blue band, and the weekday labels: red on Sunday, blue on Saturday.
    white=$(count "$shot" 150x15+2+2 'r>0.9&&g>0.9&&b>0.9')
    [ "$white" -gt 40 ] && echo "ok: $program: the title is drawn ($white pixels)" || fail "$program: no title ink ($white)"
    red=$(count "$shot" 60x12+2+20 'r>0.55&&g<0.4&&b<0.4')
    blue=$(count "$shot" 60x12+$((6 * 64 + 2))+20 'b>0.55&&r<0.4&&g<0.5')
    [ "$red" -gt 5 ] && [ "$blue" -gt 5 ] && echo "ok: $program: the weekday labels in their colours" ||
        fail "$program: weekday labels: $red red, $blue blue pixels"

    # The next start reads the design it was given, and adds nothing.
    cp "$ini" "$new/first.ini"
    run "$program" "$new"
    check "$program: the second start keeps the file" "$(cmp -s "$ini" "$new/first.ini" && echo same)" same
    check "$program: and shows the same look" "$(near "$(pixel "$new/shot.png" $((cell_x + 50)) $((cell_y + 60)))" "$(today_rgb "$program")")" yes

    # A configuration file from before, with what a start writes already in it: read as before
    # (no standard design), its bytes untouched.
    old=$TESSEL_TEST_TMP/$program-old
    mkdir -p "$old"
    cp "$TESSEL_WIN_BUILD/$program.exe" "$old/"
    month_days=$(date -d "$(date +%Y-%m-01) +1 month -1 day" +%d)
    weeks=$(((first_wday + 10#$month_days + 6) / 7))
    printf '[CONFIG]\r\nBTN_SIZE=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\nWIN_HEIGHT_1024=%d\r\nTOP_DATE=0\r\n' \
        $((weeks * 75 + 94)) >"$old/$program.ini"
    cp "$old/$program.ini" "$old/before.ini"
    run "$program" "$old"
    check "$program: an existing file keeps its bytes" "$(cmp -s "$old/$program.ini" "$old/before.ini" && echo same)" same
    check "$program: and its old look (today not marked)" "$(near "$(pixel "$old/shot.png" $((cell_x + 50)) $((cell_y + 60)))" "$(today_rgb "$program")")" no
done

[ "$failures" -eq 0 ] && echo "first look e2e: all checks passed"
[ "$failures" -eq 0 ]
