#!/usr/bin/env bash
# Fails when a text could cross the window's edge through the system's code page instead of the
# helpers of base/win/wide_text (which name 932): a call or type of the A form of any name the
# MinGW-w64 headers declare in both an A and a W form, a conversion of the system's own outside
# the helpers, the system's code page named (CP_ACP, CP_OEMCP, CP_THREAD_ACP), or the C runtime
# opening a file by a narrow name in code built for Windows.
# Usage: tools/check-wide.sh [repository] [mingw include folder]
set -u
ROOT=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
HEADERS=${2:-/usr/share/mingw-w64/include}
cd "$ROOT" || exit 2
[ -d "$HEADERS" ] || { echo "no MinGW-w64 headers in $HEADERS" >&2; exit 2; }

# Every identifier NameA whose NameW is declared too.
names=$(mktemp)
trap 'rm -f "$names"' EXIT
grep -rhoE '\b[A-Za-z_][A-Za-z0-9_]*[AW]\b' "$HEADERS" | sort -u |
    awk '{ base = substr($0, 1, length($0) - 1); if (substr($0, length($0)) == "A") a[base] = 1; else w[base] = 1 }
         END { for (b in a) if (b in w && length(b) > 2) print b "A" }' | sort >"$names"
[ -s "$names" ] || { echo "no A and W names found in $HEADERS" >&2; exit 2; }

# Code built for Windows: the product's folders, and the tests and benchmarks built for it (tools/
# holds host generators only; tests not named _win run natively only).
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' | grep -vE '^(tools|fuzz)/' | grep -v '_posix\.cpp$' |
    grep -vE '^tests/.*/[^/]*\.cpp$' ; git ls-files -- 'tests/*_win_test.cpp')
helpers='^base/win/wide_text(_win\.cpp|\.h)$'
status=0
report() { echo "$1"; status=1; }

while IFS= read -r hit; do
    report "A form: $hit"
done < <(grep -nwFf "$names" "${files[@]}" /dev/null | grep -vE '^[^:]+:[0-9]+:\s*//' | cut -c1-160)

others=$(for f in "${files[@]}"; do
    [[ $f =~ $helpers ]] && continue
    grep -nE '\b(MultiByteToWideChar|WideCharToMultiByte)\b' "$f" | sed "s|^|conversion outside the helpers: $f:|"
    grep -nE '\bCP_(ACP|OEMCP|THREAD_ACP|MACCP)\b' "$f" | sed "s|^|the system's code page: $f:|"
    grep -nE '(std::|\b)(fopen|freopen|_fsopen|_open|_sopen|_stat|_stat64|_access|_unlink|_mkdir|_rmdir|_chdir|_findfirst|_popen)\s*\(' "$f" |
        grep -vE '^\s*[0-9]+:\s*//' | sed "s|^|narrow file name: $f:|"
done)
[ -n "$others" ] && report "$others"
exit $status
