#!/usr/bin/env bash
# Fails when an include points up the layers, or when portable code reaches for the platform.
#   base -> config -> calendar -> memo -> sync -> view -> render -> render/layered | render/classic
#   -> app, settings, cli; resources/resource.h (plain ids) is open to all.
# A file may include its own layer and those below. The two painters never include each other;
# settings never includes app (its dialogs tell their owner what changed); cli includes neither
# the painters, render, app nor settings. Only files ending in _win.cpp / _win.h, and base/win/,
# may include <windows.h> and the other platform headers, "base/win/..." or another _win.h.
# Below app/, a file names no other folder's process-wide record (the list at the end).
# Usage: tools/check-layers.sh [repository]
set -u
ROOT=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
cd "$ROOT" || exit 2

rank() {
    case $1 in
    base | base/win | resources) echo 0 ;;
    config) echo 1 ;;
    calendar) echo 2 ;;
    memo) echo 3 ;;
    sync) echo 4 ;;
    view) echo 5 ;;
    render) echo 6 ;;
    render/layered | render/classic) echo 7 ;;
    app | settings | cli) echo 8 ;;
    *) echo -1 ;;
    esac
}

# The layer a path belongs to: its folder, or the folder above for render/<painter>/...
layer_of() {
    local dir=${1%/*}
    case $dir in
    render/layered* | render/classic* | base/win*) echo "${dir%%/*}/$(cut -d/ -f2 <<<"$dir")" ;;
    *) echo "${dir%%/*}" ;;
    esac
}

allowed() {  # allowed FROM TO
    local from=$1 to=$2 rf rt
    rf=$(rank "$from")
    rt=$(rank "$to")
    [ "$rt" -lt 0 ] && return 1
    case "$from>$to" in
    "render/layered>render/classic" | "render/classic>render/layered") return 1 ;;
    "settings>app" | "settings>cli" | "app>cli") return 1 ;;
    cli\>render* | "cli>app" | "cli>settings") return 1 ;;
    esac
    [ "$rt" -le "$rf" ]
}

platform_file() {
    case $1 in
    *_win.cpp | *_win.h | base/win/*) return 0 ;;
    *) return 1 ;;
    esac
}

bad=0
while IFS= read -r file; do
    from=$(layer_of "$file")
    while IFS= read -r line; do
        inc=$(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' <<<"$line")
        sys=$(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\([^>]*\)>.*/\1/p' <<<"$line")
        if [ -n "$sys" ] && ! platform_file "$file"; then
            case ${sys,,} in
            windows.h | gdiplus.h | imm.h | commctrl.h | commdlg.h | shellapi.h | shlobj.h | io.h | winuser.h | wingdi.h)
                echo "$file: portable code includes <$sys>"
                bad=1
                ;;
            esac
        fi
        [ -z "$inc" ] && continue
        case $inc in tests/* | bench/*) echo "$file: includes $inc"; bad=1; continue ;; esac
        to=$(layer_of "$inc")
        if ! allowed "$from" "$to"; then
            echo "$file ($from) includes $inc ($to): against the layers"
            bad=1
        fi
        if ! platform_file "$file"; then
            case $inc in
            base/win/* | *_win.h)
                echo "$file: portable code includes $inc"
                bad=1
                ;;
            esac
        fi
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file")
done < <(git ls-files --cached --others --exclude-standard -- base config calendar memo sync view render app settings cli |
    grep -E '\.(cpp|h)$')

# The process-wide records and the folder whose part keeps each. Below app/ a file names only its
# own folder's records (render/ and sync/ keep none): whatever else it reads or writes it is handed.
RECORDS="config:g_app config:g_files config:g_tags config:g_operations
calendar:g_holidayRules calendar:g_today calendar:g_ruleSortState
memo:g_work memo:g_edit memo:g_undo memo:g_countdowns memo:g_searchSortState
view:g_nav view:g_view
app:g_interaction app:g_minute app:g_shell"
while IFS= read -r file; do
    from=$(layer_of "$file")
    from=${from%%/*}
    for entry in $RECORDS; do
        owner=${entry%%:*} record=${entry#*:}
        [ "$owner" = "$from" ] && continue
        if grep -qw -- "$record" "$file"; then
            echo "$file ($from) names $record, which $owner/ keeps"
            bad=1
        fi
    done
done < <(git ls-files --cached --others --exclude-standard -- base config calendar memo sync view render |
    grep -E '\.(cpp|h)$')

if [ "$bad" = 0 ]; then
    echo "layers: every include points down, and each folder names only its own records"
fi
exit "$bad"
