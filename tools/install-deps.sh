#!/usr/bin/env bash
# Installs what the build and the tests need on Debian bookworm, and only what is missing.
# As root it runs apt-get; otherwise it prints the one command to run and fails.
set -u

PACKAGES=(
    # build
    make cmake g++ googletest libgtest-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    # running the Windows programs
    wine wine64 fonts-wine xvfb
    fonts-ipafont-gothic fonts-ipafont-mincho
    # driving and looking at them in tests; Japanese file names under Wine (ja_JP.UTF-8 below)
    xdotool imagemagick x11-utils locales
    # packaging
    zip unzip
    # the companion's time zones: the zone database, and the Windows zone names of the Unicode
    # common locale data (both read at build time; the zone files at run time too)
    tzdata unicode-cldr-core
    # an independent iCalendar reader, writer and expander of recurrences for the companion's tests
    python3-icalendar python3-recurring-ical-events
    # the companion's CalDAV sync (libcurl, libxml2), and its tests: a real CalDAV server (Radicale,
    # started by the tests on a loopback port, never as a service) and an independent client
    libcurl4-openssl-dev libxml2-dev curl radicale python3-caldav
    # a TLS server with a certificate nobody trusts, for the Windows companion's certificate check
    openssl
    # fuzzing (make fuzz): clang with libFuzzer and the sanitizers' runtimes
    clang libclang-rt-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)
    [ "$status" = installed ] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    line="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y ${missing[*]}"
    if [ "$(id -u)" != 0 ]; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Install them as root with:" >&2
        echo "    $line" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q || exit 1
    # No package may start a service here (Radicale would listen as a system service): a policy
    # that refuses every start, for the install only, unless the machine has one of its own.
    policy=/usr/sbin/policy-rc.d made_policy=
    if [ ! -e "$policy" ]; then
        printf '#!/bin/sh\nexit 101\n' >"$policy" && chmod 755 "$policy" && made_policy=1
    fi
    apt-get install -y -q "${missing[@]}" </dev/null
    installed=$?
    [ -n "$made_policy" ] && rm -f "$policy"
    [ "$installed" = 0 ] || exit 1
fi

# Wine makes a file whose name holds Japanese (a design named 標準) only under a UTF-8 locale glibc
# knows: ja_JP.UTF-8 for the runs under code page 932, en_US.UTF-8 for those under 1252 and
# hi_IN.UTF-8 (a language Windows has no ANSI code page for) for those under 65001.
for want in ja_JP en_US hi_IN; do
    locale -a 2>/dev/null | grep -qix "$want.utf-\?8" && continue
    if [ "$(id -u)" != 0 ]; then
        echo "Missing the $want.UTF-8 locale. Make it as root with:" >&2
        echo "    localedef -i $want -f UTF-8 $want.UTF-8" >&2
        exit 1
    fi
    echo "Making the $want.UTF-8 locale"
    localedef -i "$want" -f UTF-8 "$want.UTF-8" || exit 1
done
