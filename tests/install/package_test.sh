#!/usr/bin/env bash
# Makes the Debian package from the build tree, unpacks it into a temporary root and runs the
# programs from there with the package's registry file: the command-line tool reads a simulated
# unit on a pseudo-terminal, the window opens, and nothing is written into the program folder.
# Usage: package_test.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$1 version=$2 app_id=$3
work=$(mktemp -d)
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
deb=$work/out/delvo2_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb"
depends=$(dpkg-deb --field "$deb" Depends)
for package in libqt6widgets6 libqt6serialport6 qt6-qpa-plugins libqt6sql6-sqlite; do
  [[ $depends == *"$package"* ]] || fail "Depends lacks $package: $depends"
done

root=$work/root
dpkg -x "$deb" "$root"
for file in usr/bin/delvo2 usr/bin/delvo2-cli usr/bin/delvo2-sim usr/lib/delvo2/PortNo.txt usr/lib/delvo2/help.html \
            usr/lib/delvo2/pt10385.dat etc/xdg/delvo2/registry.ini usr/share/man/man1/delvo2.1.gz \
            usr/share/man/man1/delvo2-cli.1.gz usr/share/man/man1/delvo2-sim.1.gz \
            usr/share/icons/hicolor/scalable/apps/$app_id.svg usr/share/icons/hicolor/48x48/apps/$app_id.png; do
  [ -e "$root/$file" ] || fail "the package lacks /$file"
done
desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >/dev/null \
  || appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml"

"$root/usr/bin/delvo2-cli" --help | grep -q '^Usage: delvo2-cli' || fail "delvo2-cli --help"

# The package's registry file with its paths moved into the temporary root; a user of our own.
sed "s|^@=/|@=$root/|" "$root/etc/xdg/delvo2/registry.ini" >"$work/registry.ini"
export DELVO2_REGISTRY=$work/registry.ini HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config \
       XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$root/usr/bin/delvo2-sim" --serial 7654321 --link "$work/unit" >/dev/null &
sim_pid=$!
for _ in $(seq 50); do [ -e "$work/unit" ] && break; sleep 0.1; done
"$root/usr/bin/delvo2-cli" --port "$work/unit" read >"$work/read.txt" || fail "delvo2-cli read"
[ -s "$work/read.txt" ] || fail "delvo2-cli read printed nothing"
[ -f "$XDG_DATA_HOME/delvo2/S7654321.urd" ] || fail "the unit record is not in the user's data folder"

# The window opens without a message (the shipped PortNo.txt is read from the program folder).
QT_QPA_PLATFORM=offscreen timeout 30 "$root/usr/bin/delvo2" --quit-when-shown | grep -q '^shown$' \
  || fail "delvo2 did not show its window"

written=$(cd "$root" && find . -newer "$deb" -type f)
[ -z "$written" ] || fail "written into the package's folders: $written"
echo "package $(basename "$deb"): $(dpkg-deb -c "$deb" | wc -l) entries"
