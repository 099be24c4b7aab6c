#!/usr/bin/env bash
# The Windows companion's sync under Wine (WinHTTP, XmlLite, Credential Manager) against a real
# Radicale on loopback, with python3-caldav playing another client: a wrong password and a
# certificate the system does not trust store nothing; the password goes to the credential
# store, never into a file; memos go up, another client's new, edited and deleted events come
# down; a second folder synced to the same calendar holds the same days and texts, byte for
# byte; an idle sync changes no byte; a stopped server is one line, exit 2, and nothing lost; the
# next sync finishes the work.
set -u
: "${TESSEL_WIN_BUILD:?}" "${TESSEL_SOURCE_DIR:?}" "${TESSEL_TEST_TMP:?}"
T=$TESSEL_TEST_TMP/cli_sync
A=$T/first B=$T/second SRV=$T/server
mkdir -p "$A" "$B" "$SRV"
cp "$TESSEL_WIN_BUILD/desk-calendar-cli.exe" "$A/"
cp "$TESSEL_WIN_BUILD/desk-calendar-cli.exe" "$B/"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { if [ "$2" = "$3" ]; then echo "ok: $1"; else fail "$1: got '$2', want '$3'"; fi; }
RADICALE="bash $TESSEL_SOURCE_DIR/tests/sync/radicale.sh"
trap '$RADICALE stop "$SRV"' EXIT
URL=$($RADICALE start "$SRV") || { echo "FAIL: radicale did not start" >&2; exit 1; }
PEER="/usr/bin/python3 $TESSEL_SOURCE_DIR/tests/sync/caldav_peer.py $URL tessel secret-pw"

# cli FOLDER ARGS...: the companion of FOLDER on its own files; stdout (CR LF gone), status in RC.
cli() {
    local dir=$1
    shift
    OUT=$(set -o pipefail; cd "$dir" && env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} timeout 120 wine "$dir/desk-calendar-cli.exe" "$@" 2>"$T/err" </dev/null | tr -d '\r')
    RC=$?
    ERR=$(tr -d '\r' <"$T/err")
}
setup() {  # setup FOLDER PASSWORD [URL]
    OUT=$(set -o pipefail; cd "$1" && printf '%s\n' "$2" | env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} timeout 120 wine "$1/desk-calendar-cli.exe" sync setup "${3:-$URL}" tessel 2>"$T/err" | tr -d '\r')
    RC=$?
    ERR=$(tr -d '\r' <"$T/err")
}
memo_sums() { (cd "$1" && md5sum tessel_memo*.ini 2>/dev/null | grep -v _sync); }

# --- Setup: a wrong password stores nothing and names the cause.
setup "$A" wrong-pw
check "a wrong password exits 2" "$RC" 2
check "in one line naming it" "$(echo "$ERR" | wc -l) $(echo "$ERR" | grep -c 'パスワードが違います')" "1 1"
check "and nothing is kept" "$(grep -c CALDAV "$A/desk-calendar.ini" 2>/dev/null || echo 0)" 0

# A server whose certificate the system does not trust: refused before any password is sent.
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$T/key.pem" -out "$T/cert.pem" -days 2 -subj /CN=127.0.0.1 \
    >/dev/null 2>&1
tls_port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
openssl s_server -accept "127.0.0.1:$tls_port" -cert "$T/cert.pem" -key "$T/key.pem" -www -quiet >/dev/null 2>&1 &
tls_pid=$!
sleep 1
setup "$A" secret-pw "https://127.0.0.1:$tls_port/tessel/cal/"
kill $tls_pid 2>/dev/null
check "a certificate the system does not trust exits 2" "$RC" 2
check "in one line naming it" "$(echo "$ERR" | wc -l) $(echo "$ERR" | grep -c '証明書')" "1 1"
check "and nothing is kept" "$(grep -c CALDAV "$A/desk-calendar.ini" 2>/dev/null || echo 0)" 0

setup "$A" secret-pw
check "setup with the right password" "$RC" 0
check "the URL is kept in section CALDAV" "$(tr -d '\r' <"$A/desk-calendar.ini" | grep -c "^URL=$URL\$")" 1
check "the password is in no file of the folder" "$(grep -rl secret-pw "$A" | wc -l)" 0

# --- Memos go up as events.
cli "$A" memo set 2026-12-10 $'会議 10:00\n\n昼食'
cli "$A" memo set 2026-12-24 '　全角の空白で始まる行'
cli "$A" sync
check "the first sync sends the lines" "$RC $OUT" "0 同期: 送信 3、受信 0、サーバーで削除 0、メモから削除 0、両方の変更を残した 0"
check "another client sees them as events" "$($PEER list | tr '\n' ' ')" \
    "20261210T100000|会議 10:00 20261210|昼食 20261224|　全角の空白で始まる行 "

# --- Another client's new, edited and deleted events come down.
$PEER add peer-1 20261211 '歯医者'
$PEER add peer-2 20261212 '美容院' 1430
cli "$A" sync
check "new events arrive" "$RC $(cd "$A" && wine desk-calendar-cli.exe memo get 2026-12-11 2>/dev/null | tr -d '\r')" "0 歯医者"
cli "$A" memo get 2026-12-12
check "a timed event arrives as H:MM and its summary" "$OUT" "14:30 美容院"
$PEER summary peer-1 '歯医者 (変更)'
$PEER delete peer-2
cli "$A" sync
check "an edit and a deletion come down" "$RC $OUT" "0 同期: 送信 0、受信 1、サーバーで削除 0、メモから削除 1、両方の変更を残した 0"
cli "$A" memo get 2026-12-11
check "the edited line" "$OUT" "歯医者 (変更)"
cli "$A" memo get 2026-12-12
check "the deleted line" "$OUT" ""

# --- An idle sync changes no byte.
before=$(memo_sums "$A")
cli "$A" sync
check "an idle sync does nothing" "$RC $OUT" "0 同期: 送信 0、受信 0、サーバーで削除 0、メモから削除 0、両方の変更を残した 0"
check "and changes no byte" "$(memo_sums "$A")" "$before"

# --- A second Tessel on the same calendar holds the same bytes, blank line and all.
setup "$B" secret-pw
cli "$B" sync
check "the second folder's first sync" "$RC" 0
# The first folder wrote its days by hand and from the server, the second all from the server:
# their files are the same bytes all the same.
check "both folders hold byte-identical memo files" "$(memo_sums "$B")" "$(memo_sums "$A")"

# --- A stopped server: one line, exit 2, nothing lost; the next sync finishes the work.
cli "$A" memo append 2026-12-24 '追加の行'
before=$(memo_sums "$A")
$RADICALE stop "$SRV"
cli "$A" sync
check "a stopped server exits 2" "$RC" 2
check "with one line naming it" "$(echo "$ERR" | wc -l) $(echo "$ERR" | grep -c 'サーバーにつながりません')" "1 1"
check "and the memo files are as they were" "$(memo_sums "$A")" "$before"
$RADICALE start "$SRV" >/dev/null || fail "radicale did not start again"
cli "$A" sync
check "the next sync sends the line" "$RC $OUT" "0 同期: 送信 1、受信 0、サーバーで削除 0、メモから削除 0、両方の変更を残した 0"
cli "$B" sync
check "and the other folder takes it, byte for byte" "$(memo_sums "$B")" "$(memo_sums "$A")"

[ "$failures" -eq 0 ] && echo "cli sync e2e: all checks passed"
[ "$failures" -eq 0 ]
