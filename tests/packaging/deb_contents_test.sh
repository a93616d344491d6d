#!/usr/bin/env bash
# The Debian package as the target `package` makes it: everything a user needs is in it with
# the right mode, the programs are linked into /usr/bin, its Depends names what Qt loads at
# run time beside the linked libraries, and the batch tool's manual page knows every option
# its --help lists. Each failure is named.
#   deb_contents_test.sh CPACK BUILD_DIR BATCH_PROGRAM
set -euo pipefail
cpack=$1 build=$2 batch=$3
cd "$build"
"$cpack" -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }
deb=$(ls -t bladetrace_*.deb | head -n 1)
status=0
fail() {
    echo "$deb: $*"
    status=1
}

# Mode, owner and path (and a link's target), as dpkg-deb lists them without size and time.
listing=$(dpkg-deb -c "$deb" | sed -E 's/^(\S+) (\S+) +[0-9]+ \S+ \S+ /\1 \2 /')
program='-rwxr-xr-x root/root ./usr/lib/bladetrace'
file='-rw-r--r-- root/root ./usr'
expected=("$program/bladetrace" "$program/bladetrace-batch"
    "lrwxrwxrwx root/root ./usr/bin/bladetrace -> ../lib/bladetrace/bladetrace"
    "lrwxrwxrwx root/root ./usr/bin/bladetrace-batch -> ../lib/bladetrace/bladetrace-batch"
    "$file/lib/bladetrace/pylon 1.bmp" "$file/lib/bladetrace/pylon 2.bmp"
    "$file/lib/bladetrace/Bladetrace.chm"
    "$file/share/applications/org.example.bladetrace.desktop"
    "$file/share/metainfo/org.example.bladetrace.metainfo.xml"
    "$file/share/icons/hicolor/scalable/apps/bladetrace.svg"
    "$file/share/man/man1/bladetrace.1.gz" "$file/share/man/man1/bladetrace-batch.1.gz"
    "$file/share/doc/bladetrace/copyright" "$file/share/doc/bladetrace/changelog.gz")
for size in 16 22 24 32 48 64 128 256 512; do
    expected+=("$file/share/icons/hicolor/${size}x$size/apps/bladetrace.png")
done
for entry in "${expected[@]}"; do
    grep -Fxq -- "$entry" <<<"$listing" || fail "missing: $entry"
done

depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed -E 's/^ *([^ ]+).*/\1/')
for package in libqt6gui6 qt6-image-formats-plugins qt6-translations-l10n; do
    grep -Fxq "$package" <<<"$depends" || fail "Depends lacks $package: $(dpkg-deb -f "$deb" Depends)"
done

page=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/man/man1/bladetrace-batch.1.gz |
    gzip -d | sed 's/\\-/-/g')
for option in $("$batch" --help | grep -oE -- '--[a-z][a-z-]+' | sort -u); do
    grep -Fq -- "$option" <<<"$page" || fail "bladetrace-batch(1) does not mention $option"
done
exit $status
