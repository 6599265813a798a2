#!/bin/sh
# Installs the Debian package into a fresh Debian 12 root, made with debootstrap, and uses it
# there as a user would: dpkg -i (then apt-get -f install for the libraries a fresh system
# lacks), quillon tag on a sample with the installed data, the Python module, man quillon,
# the window's version, its settings file in the user's configuration folder (the window is
# opened under Xvfb and closed with File > Exit), and a clean removal. Not part of `make test`: it takes
# minutes and downloads a few hundred MB of Debian packages.
#
# Usage, as root: packaging/check-deb.sh [DEB [ROOT]]
#   DEB   the package (default: the newest build/quillon_*.deb, from `make package`)
#   ROOT  where the Debian root goes (default: /tmp/quillon-deb-root); debootstrap runs
#         once into ROOT.base, and every check starts from a fresh copy of it
# The mirror is the one this machine's apt uses (DEBIAN_MIRROR overrides it).
set -eu

deb=${1:-$(ls -t build/quillon_*.deb 2>/dev/null | head -n 1)}
root=${2:-/tmp/quillon-deb-root}
[ -f "$deb" ] || { echo "check-deb.sh: no package; run make package first" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "check-deb.sh: needs root (debootstrap, chroot)" >&2; exit 2; }

mirror=${DEBIAN_MIRROR:-$(sed -n 's/^URIs: *\([^ ]*\/debian\)$/\1/p' \
  /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)}
[ -n "$mirror" ] || mirror=$(awk '$1 == "deb" && $3 ~ /^bookworm$/ { print $2; exit }' \
  /etc/apt/sources.list 2>/dev/null)
[ -n "$mirror" ] || { echo "check-deb.sh: set DEBIAN_MIRROR" >&2; exit 2; }

step() { printf '\n== %s\n' "$*"; }
fail() { echo "check-deb.sh: FAILED: $*" >&2; exit 1; }
in_root() {
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}
as_user() { in_root su - tester -c "$1"; }

case $root in /* ) ;; *) root=$(pwd)/$root ;; esac
[ "$root" != / ] || fail "ROOT must not be /"
if [ ! -x "$root.base/usr/bin/apt-get" ]; then
  command -v debootstrap >/dev/null || apt-get install -y -q debootstrap
  step "debootstrap bookworm into $root.base"
  debootstrap bookworm "$root.base" "$mirror"
fi
umount "$root/proc" 2>/dev/null || true
rm -rf --one-file-system "$root"
cp -a "$root.base" "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
trap 'umount "$root/proc" 2>/dev/null || true' EXIT

step "dpkg -i $(basename "$deb")"
cp "$deb" "$root/tmp/quillon.deb"
if ! in_root dpkg -i /tmp/quillon.deb; then
  step "apt-get -f install: the libraries the package depends on"
  in_root apt-get update -q
  in_root apt-get install -y -q -f
fi
in_root dpkg-query -W -f='${Status} ${Version}\n' quillon | grep -q '^install ok installed' ||
  fail "the package is not installed"
in_root dpkg-query -W -f='${Version}\n' quillon
in_root dpkg-query -W -f='${Package} ${Status}\n' fonts-vlgothic | grep -q 'install ok installed' ||
  fail "no Japanese font came with the package"

in_root id tester >/dev/null 2>&1 || in_root useradd -m -s /bin/sh tester

step "quillon tag as a user, data from /usr/share/quillon/Q_data"
expected="The_DT cat_NN sat_VBD on_IN the_DT mat_NN ._."
got=$(as_user 'echo "The cat sat on the mat." | quillon tag')
echo "$got"
[ "$got" = "$expected" ] || fail "quillon tag printed '$got'"
as_user 'printf "Mr. Smith went to Washington.\n" > news.txt && quillon tag -q --lemma news.txt &&
  cat Tagged/news_tag.txt'
as_user 'quillon --version'
step "output formats and a user lexicon"
as_user 'echo "The cat sat on the mat." | quillon tag --format conllu' > "$root/tmp/conllu.txt"
cat "$root/tmp/conllu.txt"
grep -q "$(printf '^2\tcat\t_\tNOUN\tNN\t')" "$root/tmp/conllu.txt" || fail "no CoNLL-U output"
got=$(as_user 'printf "mat\tVB\n" > words.lex && echo "the mat" | quillon tag --user-lexicon words.lex')
[ "$got" = "the_DT mat_VB" ] || fail "quillon tag --user-lexicon printed '$got'"

step "python3: import quillon, data from /usr/share/quillon/Q_data"
got=$(as_user "python3 -c 'import quillon; print(quillon.default_data_dir()); \
  print(\" \".join(t.word + \"_\" + t.tag for t in quillon.Tagger().tag(\"The cat sat on the mat.\")[0]))'")
echo "$got"
[ "$got" = "/usr/share/quillon/Q_data
$expected" ] || fail "the Python module printed '$got'"
in_root test -d /usr/lib/python3/dist-packages/quillon/__pycache__ ||
  fail "postinst did not byte-compile the Python package"

step "man quillon"
# debootstrap leaves out man-db, which a standard Debian system has.
in_root sh -c 'command -v man' >/dev/null || in_root apt-get install -y -q man-db >/dev/null
as_user 'MANPAGER=cat MANWIDTH=80 man quillon' > "$root/tmp/man.txt" 2>&1 || true
head -n 12 "$root/tmp/man.txt"
grep -q 'quillon - tag English text' "$root/tmp/man.txt" || fail "man quillon shows no page"
as_user 'MANPAGER=cat man quillon-gui' | grep -q 'quillon-gui - ' || fail "no quillon-gui(1)"

step "quillon-gui"
as_user 'QT_QPA_PLATFORM=offscreen quillon-gui --version 2>/dev/null'
if [ "${CHECK_WINDOW:-1}" = 1 ]; then
  # The settings file: /usr/bin cannot be written by the user, so closing the window must
  # write ~/.config/quillon-gui.ini (seven lines, as a first start writes them).
  in_root apt-get install -y -q --no-install-recommends xvfb xauth xdotool >/dev/null
  as_user 'rm -f .config/quillon-gui.ini
    xvfb-run -a sh -c "quillon-gui & pid=\$!
      for i in 1 2 3 4 5 6 7 8 9 10; do
        w=\$(xdotool search --onlyvisible --name \"^Quillon\$\" 2>/dev/null | head -n 1)
        [ -n \"\$w\" ] && break; sleep 1; done
      [ -n \"\$w\" ] && xdotool windowfocus --sync \$w key --clearmodifiers alt+f x
      for i in 1 2 3 4 5 6 7 8 9 10; do kill -0 \$pid 2>/dev/null || break; sleep 1; done
      kill \$pid 2>/dev/null; wait \$pid"'
  as_user 'cat .config/quillon-gui.ini' || fail "no ~/.config/quillon-gui.ini after closing"
  [ "$(as_user 'wc -l < .config/quillon-gui.ini')" -eq 7 ] || fail "settings file not 7 lines"
  [ ! -e "$root/usr/bin/quillon-gui.ini" ] || fail "settings written beside /usr/bin"
fi

step "dpkg --purge quillon"
in_root dpkg --purge quillon
[ ! -e "$root/usr/bin/quillon" ] && [ ! -e "$root/usr/share/quillon" ] &&
  [ ! -e "$root/usr/lib/python3/dist-packages/quillon" ] || fail "files left after purge"
echo "check-deb.sh: all checks passed"
