#!/usr/bin/env bash
# The Windows desk-calendar-cli.exe beside the shipped holiday file, as a user unpacks it: with no
# --config it reads tessel_holiday.ini from its own folder and lists Japan's days off, once the
# calendar has run there (its configuration is there); before, it says so and exits 2.
set -u
dir="$TESSEL_TEST_TMP/holidays"
mkdir -p "$dir"
cp "$TESSEL_WIN_BUILD/desk-calendar-cli.exe" "$dir/"
cp "$TESSEL_SOURCE_DIR"/data/*.ini "$dir/"
fail=0

out=$(cd "$dir" && env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} timeout 60 wine "$dir/desk-calendar-cli.exe" holidays 2026 2>"$dir/err.txt")
rc=$?
err=$(tr -d '\r' <"$dir/err.txt")
case "$rc:$out:$err" in
"2::desk-calendar-cli: 設定ファイルがありません"*desk-calendar.ini) echo "ok   no configuration: $err" ;;
*) echo "FAIL no configuration: exit $rc, '$out', '$err'"; fail=1 ;;
esac
printf '[CONFIG]\r\n' >"$dir/desk-calendar.ini"  # as the calendar leaves it

check() {  # check NAME EXPECTED ARGS...
    local name=$1 expected=$2
    shift 2
    local got
    got=$(cd "$dir" && env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} timeout 60 wine "$dir/desk-calendar-cli.exe" "$@" 2>"$dir/err.txt" | tr -d '\r')
    if [ "$got" != "$expected" ]; then
        echo "FAIL $name"
        diff <(printf '%s\n' "$expected") <(printf '%s\n' "$got")
        cat "$dir/err.txt"
        fail=1
    else
        echo "ok   $name"
    fi
}

check "holidays 2024" "$(cat <<'LIST'
2024-01-01	元日
2024-01-08	成人の日
2024-02-11	建国記念の日
2024-02-12	振替休日
2024-02-23	天皇誕生日
2024-03-20	春分の日
2024-04-29	昭和の日
2024-05-03	憲法記念日
2024-05-04	みどりの日
2024-05-05	こどもの日
2024-05-06	振替休日
2024-07-15	海の日
2024-08-11	山の日
2024-08-12	振替休日
2024-09-16	敬老の日
2024-09-22	秋分の日
2024-09-23	振替休日
2024-10-14	スポーツの日
2024-11-03	文化の日
2024-11-04	振替休日
2024-11-23	勤労感謝の日
LIST
)" holidays 2024

check "holidays 2026" "$(cat <<'LIST'
2026-01-01	元日
2026-01-12	成人の日
2026-02-11	建国記念の日
2026-02-23	天皇誕生日
2026-03-20	春分の日
2026-04-29	昭和の日
2026-05-03	憲法記念日
2026-05-04	みどりの日
2026-05-05	こどもの日
2026-05-06	振替休日
2026-07-20	海の日
2026-08-11	山の日
2026-09-21	敬老の日
2026-09-22	国民の休日
2026-09-23	秋分の日
2026-10-12	スポーツの日
2026-11-03	文化の日
2026-11-23	勤労感謝の日
LIST
)" holidays 2026

got=$(cd "$dir" && env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} timeout 60 wine "$dir/desk-calendar-cli.exe" rules 2>/dev/null | tr -d '\r' | wc -l)
want=$(grep -c '^[0-9]*=' "$dir/tessel_holiday.ini")  # one line a rule of the shipped file
if [ "$got" != "$want" ] || [ "$got" -lt 30 ]; then echo "FAIL rules: $got lines, want $want"; fail=1; else echo "ok   rules"; fi
# Reading must not have written anything.
if [ -e "$dir/tessel.ini" ] || [ -e "$dir/tessel_memo.ini" ]; then echo "FAIL files written"; fail=1; fi
cmp -s "$dir/tessel_holiday.ini" "$TESSEL_SOURCE_DIR/data/tessel_holiday.ini" || { echo "FAIL holiday file changed"; fail=1; }
exit $fail
