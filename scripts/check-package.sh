#!/usr/bin/env bash
# Checks the Debian package that `make package` left in BUILD: its
# dependencies, the files it lays out, the desktop entry, the metadata and
# the manual page (which must name every option of --help), and a headless
# game of two computer players run from an unpacked copy, never installed.
#
#   scripts/check-package.sh BUILD
set -euo pipefail
build=${1:?usage: $0 BUILD}
shopt -s nullglob
debs=("$build"/bulwark_*.deb)
if [ ${#debs[@]} -ne 1 ]; then
  echo "check-package: want one bulwark_*.deb in $build, found ${#debs[@]}" >&2
  exit 1
fi
deb=${debs[0]}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0
fail() {
  echo "check-package: $*" >&2
  status=1
}

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libenet7 libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 libsdl2-image-2.0-0 fonts-liberation2 timgm6mb-soundfont; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
wanted=(./usr/bin/bulwark ./usr/share/applications/bulwark.desktop ./usr/share/metainfo/bulwark.metainfo.xml
  ./usr/share/man/man6/bulwark.6)
for f in game.ini intro.spr small.spr sound.sdf level.frc begin.mid tex1.mid tex2.mid tex3.mid tex4.mid tex5.mid mag.mid; do
  wanted+=("./usr/share/bulwark/$f")
done
for size in 32 48 64 128 256; do wanted+=("./usr/share/icons/hicolor/${size}x${size}/apps/bulwark.png"); done
for f in "${wanted[@]}"; do
  grep -qxF "$f" <<<"$contents" || fail "the package lacks $f"
done

root=$tmp/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/bulwark.desktop" || fail "desktop-file-validate refused the desktop entry"
appstream-util validate-relax --nonet "$root/usr/share/metainfo/bulwark.metainfo.xml" >"$tmp/appstream.txt" 2>&1 ||
  { cat "$tmp/appstream.txt" >&2; fail "appstream-util refused the metadata"; }
manual=$(MANWIDTH=100 man --warnings -l "$root/usr/share/man/man6/bulwark.6" 2>"$tmp/man.txt") || fail "man -l failed"
if [ -s "$tmp/man.txt" ]; then cat "$tmp/man.txt" >&2; fail "the manual page has warnings"; fi

game=$root/usr/bin/bulwark
for option in $("$game" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
  grep -qF -- "$option" <<<"$manual" || fail "the manual page does not name $option"
done
"$game" --version | grep -qE '^bulwark [0-9]+\.[0-9]+' || fail "--version says '$("$game" --version)'"

# From a folder without data, with a settings folder of its own: the game
# must find its data in ../share/bulwark and play its round without a message.
mkdir -p "$tmp/elsewhere"
if ! (cd "$tmp/elsewhere" && XDG_CONFIG_HOME="$tmp/config" timeout 120 "$game" --headless --autoplay 2 --rounds 1 \
  --state-out "$tmp/state.json" 2>"$tmp/stderr.txt"); then
  cat "$tmp/stderr.txt" >&2
  fail "the unpacked game did not end well"
fi
grep -qE '"messages": ?\[\]' "$tmp/state.json" || fail "the unpacked game showed messages: $(cat "$tmp/state.json")"
grep -qE '"rounds": ?1,?$' "$tmp/state.json" || fail "the unpacked game did not play its round"

if ((status == 0)); then echo "check-package: $(basename "$deb") is whole and plays"; fi
exit $status
