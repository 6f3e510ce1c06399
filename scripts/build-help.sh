#!/usr/bin/env bash
# Compiles the program's HTML Help with chmcmd (Debian's fp-utils):
#   build-help.sh <folder with tetherly.hhp and its pages> <work folder> <output .chm>
#
# chmcmd stores the page of each context id under the project's absolute
# folder ("/home/me/src/help/config.htm") while the page itself is stored as
# "/config.htm", so HtmlHelp would find no page for any id. Compiled at the
# root of a private view of the file system (a user and mount namespace with
# the system's /usr bound in), the project's folder is "/" and both agree.
set -euo pipefail
src=$1 work=$2 out=$3
chmcmd=$(readlink -f "$(command -v chmcmd)")

rm -rf "$work"
mkdir -p "$work/usr"
cp "$src"/tetherly.hhp "$src"/*.hhc "$src"/*.htm "$src"/*.css "$work"/
for dir in lib lib64; do
  if [ -L "/$dir" ]; then ln -s "$(readlink "/$dir")" "$work/$dir"
  elif [ -d "/$dir" ]; then mkdir "$work/$dir"
  fi
done

log=$(unshare --user --map-root-user --mount sh -c '
  work=$1; shift
  mount --rbind /usr "$work/usr"
  for dir in lib lib64; do
    if [ -d "/$dir" ] && [ ! -L "/$dir" ]; then mount --rbind "/$dir" "$work/$dir"; fi
  done
  exec chroot "$work" "$@"' sh "$work" "$chmcmd" /tetherly.hhp 2>&1) || { echo "$log" >&2; exit 1; }
# chmcmd answers 0 even when it gives up; its warnings name missing pages.
if [ ! -s "$work/tetherly.chm" ] || grep -qiE 'error|warning|corrupt' <<<"$log"; then
  echo "$log" >&2
  exit 1
fi
cp "$work/tetherly.chm" "$out"
