#!/bin/sh
# Run a program and compare what it gives with what is expected:
#   check-run.sh [--stdout FILE] [--stderr TEXT | --stderr-first TEXT] [--exit N] -- COMMAND...
# --stderr-first compares only the first line of stderr. Without either
# the program must print nothing on stderr; without --stdout its
# standard output is not compared.
want_out= want_err= want_exit=0 first_only=
while [ $# -gt 0 ]; do
    case $1 in
    --stdout) want_out=$2; shift 2 ;;
    --stderr) want_err=$2; shift 2 ;;
    --stderr-first) want_err=$2; first_only=1; shift 2 ;;
    --exit) want_exit=$2; shift 2 ;;
    --) shift; break ;;
    *) echo "check-run.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
tmp=$(mktemp -d) || exit 2
trap 'rm -rf "$tmp"' EXIT
"$@" >"$tmp/out" 2>"$tmp/err" </dev/null
rc=$?
fail=0
if [ "$rc" != "$want_exit" ]; then
    echo "exit code $rc, expected $want_exit"
    fail=1
fi
if [ -n "$want_out" ] && ! diff -u "$want_out" "$tmp/out"; then
    fail=1
fi
if [ -n "$first_only" ]; then
    head -n 1 "$tmp/err" >"$tmp/err1" && mv "$tmp/err1" "$tmp/err"
fi
if [ -n "$want_err" ]; then printf '%s\n' "$want_err" >"$tmp/want_err"; else : >"$tmp/want_err"; fi
if ! diff -u "$tmp/want_err" "$tmp/err"; then
    fail=1
fi
exit $fail
