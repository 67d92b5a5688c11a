#!/bin/sh
# Rebuilds the small resource-only PE files the version reader is tested on.
# Needs Debian's cpp, binutils-mingw-w64-i686 and binutils-mingw-w64-x86-64.
set -e
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
x86_64-w64-mingw32-windres --preprocessor=cpp version.rc -O coff -o "$tmp/v64.o"
x86_64-w64-mingw32-ld --dll --no-insert-timestamp -s -e 0 -o version64.dll "$tmp/v64.o"
i686-w64-mingw32-windres --preprocessor=cpp version.rc -O coff -o "$tmp/v32.o"
i686-w64-mingw32-ld --dll --no-insert-timestamp -s -e 0 -o version32.dll "$tmp/v32.o"
x86_64-w64-mingw32-windres --preprocessor=cpp version-noproduct.rc -O coff -o "$tmp/np.o"
x86_64-w64-mingw32-ld --dll --no-insert-timestamp -s -e 0 -o noproduct64.dll "$tmp/np.o"
