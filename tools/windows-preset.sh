#!/usr/bin/env bash
# Prints the Windows build preset whose programs this machine can run under Wine:
# win32, the shipped 32-bit build, or win64 where the kernel has no 32-bit mode
# (exec answers "Exec format error") and so 32-bit Wine cannot start.
if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    echo win32
else
    echo win64
fi
