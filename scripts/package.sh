#!/usr/bin/env bash
# Builds the release files into dist/: the Windows zip of the shipped 32-bit programs,
# the Debian package of quillet-cli, and SHA256SUMS over both. One commit gives the
# same bytes from any folder at any time: every file carries the commit's time
# (SOURCE_DATE_EPOCH, when the caller gives none), archives list their entries in
# order with fixed permissions, and the executables hold no path and no time stamp.
# Usage: package.sh [DIST_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
dist=$(mkdir -p "${1:-dist}" && cd "${1:-dist}" && pwd)
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export TZ=UTC LC_ALL=C.UTF-8
umask 022
build=$root/build/package

# Only the programs, each linked stripped (a later strip would write a Windows time stamp).
configure() {
    cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
          -DCMAKE_EXE_LINKER_FLAGS_RELEASE=-s "${@:2}" >/dev/null
}
echo "== package: the 32-bit Windows programs"
configure "$build/win32" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
cmake --build "$build/win32" -j2 --target Quillet quillet-cli
echo "== package: quillet-cli for Linux"
configure "$build/linux" -DQUILLET_SANITIZE=OFF -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong" \
          -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro -Wl,-z,now"
cmake --build "$build/linux" -j2 --target quillet-cli
version=$(cat "$build/linux/quillet-version")

# Fixed times and permissions on everything a package takes from a staging folder.
normalise() {
    find "$1" -type d -exec chmod 755 {} +
    find "$1" -type f -exec chmod 644 {} +
    find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}
# Windows' editors want CRLF, and a byte order mark for UTF-8.
windows_text() { printf '\xef\xbb\xbf'; sed "s/@VERSION@/$version/; s/\$/\r/" "$1"; }

rm -f "$dist"/Quillet-*-win32.zip "$dist"/quillet-cli_*.deb "$dist/SHA256SUMS"
zip_name=Quillet-$version-win32
stage=$build/stage
rm -rf "$stage" && mkdir -p "$stage/$zip_name"
cmake --install "$build/win32" --prefix "$stage/win32" >/dev/null
cp "$stage/win32/bin/Quillet.exe" "$stage/win32/bin/quillet-cli.exe" "$stage/$zip_name/"
windows_text packaging/windows/README.txt >"$stage/$zip_name/README.txt"
sed 's/$/\r/' LICENSE >"$stage/$zip_name/LICENSE"
python3 - "$dist/$zip_name.zip" "$stage" "$zip_name" <<'EOF'
import os, sys, time, zipfile
archive, stage, top = sys.argv[1:]
when = time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"]))[:6]
with zipfile.ZipFile(archive, "w") as z:
    folder = zipfile.ZipInfo(top + "/", when)
    folder.external_attr = (0o40755 << 16) | 0x10
    z.writestr(folder, b"")
    for name in sorted(os.listdir(os.path.join(stage, top))):
        entry = zipfile.ZipInfo(top + "/" + name, when)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.external_attr = (0o100755 if name.endswith(".exe") else 0o100644) << 16
        with open(os.path.join(stage, top, name), "rb") as f:
            z.writestr(entry, f.read(), compresslevel=9)
EOF

echo "== package: the Debian package"
arch=$(dpkg --print-architecture)
deb=$stage/deb
doc=$deb/usr/share/doc/quillet-cli
DESTDIR=$deb cmake --install "$build/linux" --prefix /usr >/dev/null
gzip -n -9 "$deb/usr/share/man/man1/quillet-cli.1"
mkdir -p "$doc" "$deb/DEBIAN"
cp packaging/debian/copyright "$doc/"
sed "s/@VERSION@/$version/; s/@DATE@/$(date -R -d "@$SOURCE_DATE_EPOCH")/" \
    packaging/debian/changelog | gzip -n -9 >"$doc/changelog.gz"
# The libraries the program links, with the versions their symbols need.
mkdir -p "$stage/shlibs/debian"
printf 'Source: quillet\n\nPackage: quillet-cli\nArchitecture: any\n' >"$stage/shlibs/debian/control"
depends=$(cd "$stage/shlibs" && dpkg-shlibdeps -O "$deb/usr/bin/quillet-cli" | sed 's/^shlibs:Depends=//')
# Installed-Size as dpkg counts it: kibibytes, rounded up per file.
size=$(find "$deb/usr" -type f -printf '%s\n' | awk '{ kib += int(($1 + 1023) / 1024) } END { print kib }')
sed "s/@VERSION@/$version/; s/@ARCH@/$arch/; s/@INSTALLED_SIZE@/$size/; s/@DEPENDS@/$depends/" \
    packaging/debian/control >"$deb/DEBIAN/control"
(cd "$deb" && find usr -type f | sort | xargs md5sum) >"$deb/DEBIAN/md5sums"
normalise "$deb"
chmod 755 "$deb/usr/bin/quillet-cli"
dpkg-deb --root-owner-group -Zxz --build "$deb" "$dist/quillet-cli_${version}_$arch.deb" >/dev/null
lintian --fail-on error "$dist/quillet-cli_${version}_$arch.deb"

(cd "$dist" && sha256sum -- *.zip *.deb >SHA256SUMS)
echo "== package: $dist"
(cd "$dist" && ls -l && cat SHA256SUMS)
