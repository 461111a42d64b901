#!/bin/sh
# Exits 0 when this machine's kernel runs 32-bit x86 programs; otherwise prints why not and
# exits 1. It asks the kernel itself: a 96-byte 32-bit program that only exits with 42.
set -u
program=$(mktemp "${TMPDIR:-/tmp}/chronalign-i386.XXXXXX")
trap 'rm -f "$program"' EXIT
# ELF header, one loadable segment, then: mov eax, 1; mov ebx, 42; int 0x80 (exit(42)).
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$program"
printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000' >>"$program"
printf '\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000' >>"$program"
printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010' >>"$program"
printf '\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000' >>"$program"
printf '\270\001\000\000\000\273\052\000\000\000\315\200' >>"$program"
chmod +x "$program"
"$program" 2>/dev/null
status=$?
[ "$status" = 42 ] && exit 0
echo "this machine's kernel does not run 32-bit x86 programs (a 32-bit test program ended with $status)"
exit 1
