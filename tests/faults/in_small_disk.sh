#!/bin/sh
# Runs a test program with TABULINK_SMALL_DISK naming a 64 KiB tmpfs, mounted
# in a private mount namespace so nothing outside the test sees it. Where no
# namespace can be made (not root), the program runs without it and skips
# the full-disk cases.
dir=$(mktemp -d)
if unshare -m --propagation private true 2>/dev/null; then
  unshare -m --propagation private sh -c \
    'mount -t tmpfs -o size=64k tmpfs "$1" && TABULINK_SMALL_DISK="$1" "$2"' sh "$dir" "$1"
  status=$?
else
  "$1"
  status=$?
fi
rmdir "$dir" 2>/dev/null
exit $status
