#!/usr/bin/env bash
# The layer check on small trees of its own: it passes a tree that keeps the rules and fails one
# where a portable file names another folder's process-wide record or includes a higher layer.
set -u
CHECK=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "check_layers_test: $*" >&2; exit 1; }

tree() {  # tree NAME: an empty repository under $tmp/NAME
    rm -rf "${tmp:?}/$1"
    mkdir -p "$tmp/$1"/{config,memo,view,render,app}
    git -C "$tmp/$1" init -q
    printf '#pragma once\nstruct AppState {};\nextern AppState g_app;\n' >"$tmp/$1/config/app_state.h"
    printf '#include "config/app_state.h"\nAppState g_app;\n' >"$tmp/$1/config/app_state.cpp"
    printf '#include "config/app_state.h"\nvoid Use() { (void)g_app; }\n' >"$tmp/$1/app/use.cpp"
}

tree good
printf '#include "config/app_state.h"\nint Rows(const AppState& state) { return 0; }\n' >"$tmp/good/memo/rows.cpp"
out=$(bash "$CHECK" "$tmp/good") || fail "a tree that keeps the rules failed: $out"

tree record
printf '#include "config/app_state.h"\nint Rows() { (void)g_app; return 0; }\n' >"$tmp/record/memo/rows.cpp"
out=$(bash "$CHECK" "$tmp/record") && fail "memo/ naming g_app passed"
grep -q 'memo/rows.cpp (memo) names g_app, which config/ keeps' <<<"$out" || fail "unexpected report: $out"

tree painter
printf 'void Paint() { g_nav.row = 0; }\n' >"$tmp/painter/render/paint.cpp"
out=$(bash "$CHECK" "$tmp/painter") && fail "render/ naming g_nav passed"
grep -q 'names g_nav, which view/ keeps' <<<"$out" || fail "unexpected report: $out"

tree upward
printf '#include "render/paint.h"\n' >"$tmp/upward/view/layout.cpp"
out=$(bash "$CHECK" "$tmp/upward") && fail "view/ including render/ passed"
grep -q 'against the layers' <<<"$out" || fail "unexpected report: $out"
echo "check_layers_test: passed"
