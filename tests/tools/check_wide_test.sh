#!/usr/bin/env bash
# The wide-text check on small trees of its own: it passes a tree whose texts cross only through
# the helpers and fails one for each way a text could cross through the system's code page.
set -u
CHECK=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "check_wide_test: $*" >&2; exit 1; }

tree() {  # tree NAME: a repository under $tmp/NAME with the helpers and a file of app/
    rm -rf "${tmp:?}/$1"
    mkdir -p "$tmp/$1"/{base/win,app,tests/app}
    git -C "$tmp/$1" init -q
    printf 'int C(const char* s) { return MultiByteToWideChar(932, 0, s, -1, nullptr, 0); }\n' \
        >"$tmp/$1/base/win/wide_text_win.cpp"
    printf 'void Tell(HWND w) { MessageBoxW(w, L"x", L"y", MB_OK); }\n' >"$tmp/$1/app/tell_win.cpp"
    # Native tests read files as they like.
    printf 'FILE* f = std::fopen("a", "rb");\n' >"$tmp/$1/tests/app/reader_test.cpp"
    git -C "$tmp/$1" add -A
}

expect_fault() {  # name file text report
    tree "$1"
    printf '%s\n' "$3" >"$tmp/$1/$2"
    git -C "$tmp/$1" add -A
    out=$(bash "$CHECK" "$tmp/$1") && fail "$1 passed"
    grep -q "$4" <<<"$out" || fail "$1: unexpected report: $out"
}

tree good
out=$(bash "$CHECK" "$tmp/good") || fail "a tree that keeps the rules failed: $out"

expect_fault a_call app/menu_win.cpp 'void M(HMENU m) { ModifyMenuA(m, 0, 0, 0, "x"); }' 'A form: app/menu_win.cpp:1:'
expect_fault a_type app/font_win.cpp 'LOGFONTA font;' 'A form: app/font_win.cpp:1:'
expect_fault a_test tests/app/window_win_test.cpp 'HWND w = FindWindowA("Tessel", nullptr);' 'A form: tests/app/window_win_test.cpp'
expect_fault conversion app/text_win.cpp 'int n = WideCharToMultiByte(932, 0, w, -1, s, 9, 0, 0);' 'conversion outside the helpers: app/text_win.cpp'
expect_fault code_page app/page_win.cpp 'UINT page = CP_ACP;' "the system's code page: app/page_win.cpp"
expect_fault narrow_name app/file.cpp 'FILE* f = std::fopen(path, "rb");' 'narrow file name: app/file.cpp'
echo "check_wide_test: passed"
