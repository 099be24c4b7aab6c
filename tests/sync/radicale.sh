#!/usr/bin/env bash
# A CalDAV server for the sync tests: Debian's Radicale on a free loopback port, its storage and
# password file (user "tessel", password "secret-pw", plain htpasswd) in FOLDER, and a calendar
# collection at /tessel/cal/.
#   radicale.sh start FOLDER   prints the collection's URL once the server answers (started again
#                              on the same FOLDER: the same port and storage)
#   radicale.sh stop FOLDER    stops it (and waits until it has gone)
set -u
cmd=$1 dir=$2
PY=/usr/bin/python3
case $cmd in
start)
    mkdir -p "$dir/storage"
    printf 'tessel:secret-pw\nother:other-pw\n' >"$dir/users"
    for attempt in 1 2 3 4 5; do
        # Started again: the same port, so the calendar keeps its URL.
        if [ "$attempt" = 1 ] && [ -f "$dir/port" ]; then
            port=$(cat "$dir/port")
        else
            port=$($PY -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
        fi
        cat >"$dir/config" <<CONF
[server]
hosts = 127.0.0.1:$port
max_content_length = 100000000
[auth]
type = htpasswd
htpasswd_filename = $dir/users
htpasswd_encryption = plain
delay = 0
[rights]
type = owner_only
[storage]
filesystem_folder = $dir/storage
[logging]
level = warning
[web]
type = none
CONF
        $PY -m radicale --config "$dir/config" >"$dir/log" 2>&1 &
        echo $! >"$dir/pid"
        for _ in $(seq 1 100); do
            if curl -s -o /dev/null -u tessel:secret-pw -X PROPFIND "http://127.0.0.1:$port/" 2>/dev/null; then
                curl -s -o /dev/null -u tessel:secret-pw -X MKCALENDAR "http://127.0.0.1:$port/tessel/cal/"
                echo "$port" >"$dir/port"
                echo "http://127.0.0.1:$port/tessel/cal/"
                exit 0
            fi
            kill -0 "$(cat "$dir/pid")" 2>/dev/null || break
            sleep 0.1
        done
        kill "$(cat "$dir/pid")" 2>/dev/null
        wait 2>/dev/null
    done
    echo "radicale did not start: $(cat "$dir/log")" >&2
    exit 1
    ;;
stop)
    [ -f "$dir/pid" ] || exit 0
    pid=$(cat "$dir/pid")
    kill "$pid" 2>/dev/null
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
    rm -f "$dir/pid"
    ;;
esac
