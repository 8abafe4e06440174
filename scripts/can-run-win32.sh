#!/bin/sh
# Succeeds where this machine can run 32-bit Windows programs: Wine's 32-bit
# loader is installed and the kernel runs 32-bit code.
[ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
