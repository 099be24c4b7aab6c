#!/usr/bin/env bash
# Puts a few memos, countdown memos, a free memo and a coloured design into a folder where the
# calendar has none yet, so that a first `make run` shows what the calendar does.
# Dates are relative to today. Files are code page 932 with CR LF, as the calendar writes them.
#   tools/demo-data.sh FOLDER [classic]
set -eu
dir=$1
config=desk-calendar.ini data=tessel
if [ "${2:-}" = classic ]; then
    config=desk-calendar-classic.ini data=desk-calendar-classic
fi
[ -e "$dir/$config" ] || [ -e "$dir/${data}_memo.ini" ] && exit 0

cp932() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/'; }
day() { date -d "$(date +%Y-%m-01) +$(($1 - 1)) days" +%-d; }
year=$(date +%Y)
month=$(date +%-m)
# A date in the countdown form: "YYYY,M,D" some days away from today.
away() { date -d "$1 days" +%Y,%-m,%-d; }
sep=$(printf '\177')

cp932 >"$dir/$config" <<INI
[CONFIG]
BTN_SIZE=1
TITLE_FORM=! %Y年%m月 (%g%h年)
[FONTS]
TITLE=ＭＳ Ｐゴシック,11,1,0,0,0
TITLE_COLOR=ffffff,ffffff,ffffff
CDOWN_COLOR=203060,203060,203060
[BACKS]
TITLE_COLOR=305080,305080,305080
TITLE_TOUMEI=254
HEAD_COLOR=e8ecf4,f8e0e0,e0e8f8
HEAD_TOUMEI=254
DAY_COLOR=ffffff,fff4f4,f4f8ff
DAY_TOUMEI=254
TODAY_COLOR=fff2b0,fff2b0,fff2b0
TODAY_TOUMEI=254
PRDAY_COLOR=eeeeee,f4e8e8,e8ecf4
PRDAY_TOUMEI=254
OMDAY_COLOR=d8dce4,e4d8d8,d8dce8
OMDAY_TOUMEI=254
MEMO_COLOR=fffbe8,fffbe8,fffbe8
MEMO_TOUMEI=254
BORDER_COLOR=a0a8b8,a0a8b8,a0a8b8
BORDER_TOUMEI=254
BUTTON_COLOR=e0e8ff,ffffff,ffffff
BUTTON_TOUMEI=254
CDOWN_COLOR=e4eefc,e4eefc,e4eefc
CDOWN_TOUMEI=254
[COLORTAG]
TAG_ALARM=アラーム時刻,c02020,1,0,0
TAG1=★,e06000,1,0,0
INI

{
    printf '[MEMO]\nMEMO=買い物: 牛乳、卵%s★年賀状を書く\n' "$sep"
    printf '[COUNTDOWN]\n01=%s,旅行\n02=%s,締め切り\n03=%s,引っ越し\n04=\n' "$(away 12)" "$(away 3)" "$(away -5)"
} | cp932 >"$dir/${data}_memo.ini"

{
    printf '[%s]\n' "$month"
    printf '%s=10:00 会議%s資料を印刷\n' "$(day 3)" "$sep"
    printf '%s=歯医者 15:30\n' "$(day 9)"
    printf '%s=★誕生日\n' "$(day 14)"
    printf '%s=9:30 打ち合わせ%sランチ%s18:00 飲み会\n' "$(day 17)" "$sep" "$sep"
    printf '%s=ゴミ出し\n' "$(day 22)"
} | cp932 >"$dir/${data}_memo$year.ini"
