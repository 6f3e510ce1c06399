#!/usr/bin/env bash
# Compiles the program's HTML Help with chmcmd (Debian's fp-utils):
#   build-help.sh <folder with tetherly.hhp and its pages> <work folder> <output .chm>
#
# chmcmd stores the page of each context id under the project's absolute
# folder ("/home/me/src/help/config.htm") while the page itself is stored as
# "/config.htm", so HtmlHelp would find no page for any id. Compiled with the
# work folder as the root (chroot), the project's folder is "/" and both
# agree. chmcmd needs only the C library and the loader (and loads the
# threads library at run time), so they are copied in; nothing is mounted.
set -euo pipefail
src=$1 work=$2 out=$3
chmcmd=$(readlink -f "$(command -v chmcmd)")

rm -rf "$work"
mkdir -p "$work"
cp "$src"/tetherly.hhp "$src"/*.hhc "$src"/*.htm "$src"/*.css "$work"/
cp "$chmcmd" "$work/chmcmd"
libs=$(ldd "$chmcmd" | grep -oE '/[^ ]+')
libc=$(grep -m1 '/libc\.so' <<<"$libs")
for lib in $libs "$(dirname "$libc")/libpthread.so.0"; do
  [ -e "$lib" ] || continue
  mkdir -p "$work$(dirname "$lib")"
  cp -L "$lib" "$work$lib"
done

run=(chroot "$work" /chmcmd /tetherly.hhp)
# Without root, a user namespace of our own gives the right to chroot.
[ "$(id -u)" -eq 0 ] || run=(unshare --user --map-root-user "${run[@]}")
log=$(env LC_ALL=C "${run[@]}" 2>&1) || { echo "$log" >&2; exit 1; }
# chmcmd answers 0 even when it gives up; its warnings name missing pages.
if [ ! -s "$work/tetherly.chm" ] || grep -qiE 'error|warning|corrupt' <<<"$log"; then
  echo "$log" >&2
  exit 1
fi
cp "$work/tetherly.chm" "$out"
