#!/usr/bin/env bash
# Makes the release files in dist/ (recreated each run), all named with the CMake project version:
# Velastro-V-win32-setup.exe and -win64-setup.exe (NSIS), Velastro-V-win32.zip and -win64.zip
# (the portable programs), velastro-cli_V-1_ARCH.deb, velastro-web-V.zip (the page's static files,
# for any web server) and SHA256SUMS over them. Builds what is
# missing first; quick when everything is built already.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/wine-env.sh
stage=build-package
cli_tree=build-deb
maintainer="Velastro <maintainers@velastro.invalid>"
# File dates and the manual's date come from the last commit, so a rebuild makes the same files.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
export SOURCE_DATE_EPOCH

# velastro-cli for the .deb, built with Debian's hardening flags.
build_cli() {
  local flags="DEB_BUILD_MAINT_OPTIONS=hardening=+all"
  CXXFLAGS="$(env $flags dpkg-buildflags --get CXXFLAGS) $(env $flags dpkg-buildflags --get CPPFLAGS)" \
    LDFLAGS="$(env $flags dpkg-buildflags --get LDFLAGS)" \
    cmake -G Ninja -S . -B $cli_tree -DCMAKE_BUILD_TYPE=Release -DVELASTRO_TESTS=OFF \
    -DVELASTRO_GUI=OFF >/dev/null
  cmake --build $cli_tree -j2 --target velastro-cli
}

cache_value() {
  sed -n "s/^$1:STATIC=//p" $cli_tree/CMakeCache.txt
}

# Text files for Windows readers: CR LF line ends.
to_crlf() {
  sed 's/$/\r/' "$1" >"$2"
}

# The programs, read-me and licence of one Windows build, as both the zip and the setup hold them.
stage_windows() {
  local bits=$1 dir=$stage/Velastro-$version-win$1 tree
  tree=$(wine_env_tree "$bits" && echo "$VELASTRO_TREE")
  rm -rf "$dir"
  mkdir -p "$dir"
  cp $tree/app/Velastro.exe $tree/cli/velastro-cli.exe "$dir/"
  sed "s/@VERSION@/$version/g; s/@BITS@/$bits/g" packaging/README.txt >"$dir/README.unix"
  to_crlf "$dir/README.unix" "$dir/README.txt"
  rm "$dir/README.unix"
  to_crlf LICENSE "$dir/LICENSE.txt"
  touch -d "@$SOURCE_DATE_EPOCH" "$dir" "$dir"/*
}

make_windows() {
  local bits=$1 name=Velastro-$version-win$1
  stage_windows "$bits"
  (cd $stage && zip -q -X -r "../dist/$name.zip" "$name")
  makensis -V2 -DVERSION="$version" -DFILEVERSION="$file_version" -DBITS="$bits" \
    -DSTAGE="$PWD/$stage/$name" -DICON="$PWD/res/velastro.ico" \
    -DOUTFILE="$PWD/dist/$name-setup.exe" packaging/velastro.nsi
}

# The machine-readable copyright file, with the licence text of LICENSE.
write_copyright() {
  local holder
  holder=$(sed -n 's/^Copyright (C) //p' LICENSE)
  printf '%s\n' "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
    "Upstream-Name: Velastro" "" "Files: *" "Copyright: $holder" "License: Expat" "" \
    "License: Expat"
  sed -n '/^Permission/,$p' LICENSE | sed 's/^$/./; s/^/ /'
}

write_changelog() {
  printf '%s\n' "velastro-cli ($deb_version) unstable; urgency=medium" "" \
    "  * velastro-cli $version." "" \
    " -- $maintainer  $(date -R -u -d "@$SOURCE_DATE_EPOCH")"
}

# Depends as dpkg-shlibdeps computes it from the libraries the program links.
shared_library_depends() {
  local dir
  dir=$(mktemp -d)
  mkdir "$dir/debian"
  printf 'Source: velastro\n\nPackage: velastro-cli\nArchitecture: any\n' >"$dir/debian/control"
  (cd "$dir" && dpkg-shlibdeps -O "$1") | sed -n 's/^shlibs:Depends=//p'
  rm -rf "$dir"
}

write_control() {
  cat <<EOF
Package: velastro-cli
Version: $deb_version
Architecture: $arch
Maintainer: $maintainer
Installed-Size: $(du -sk --exclude=DEBIAN "$root" | cut -f1)
Depends: $(shared_library_depends "$PWD/$root/usr/bin/velastro-cli")
Section: utils
Priority: optional
Description: carat weight estimates and formula evaluation for scripts
 velastro-cli estimates the carat weight of a cut diamond from its length (or
 diameter), width and depth in millimetres with the weight formula of each of
 eight cut shapes, and evaluates formulas of Velastro's formula language given
 as arguments, in .FKT files or line by line on standard input. It answers as
 the window of the Velastro program for Windows does.
EOF
}

make_deb() {
  root=$stage/deb/velastro-cli
  local doc=$root/usr/share/doc/velastro-cli man=$root/usr/share/man/man1
  rm -rf "$stage/deb"
  mkdir -p "$root/DEBIAN" "$root/usr/bin" "$doc" "$man"
  install -m 0755 $cli_tree/cli/velastro-cli "$root/usr/bin/"
  strip --strip-unneeded --remove-section=.comment --remove-section=.note \
    "$root/usr/bin/velastro-cli"
  VELASTRO_CLI=$PWD/$root/usr/bin/velastro-cli help2man --no-info --section=1 \
    --name="carat weight estimates and formula evaluation" --source="Velastro $version" \
    --output="$stage/deb/velastro-cli.1" packaging/manual-help.sh
  gzip -9n <"$stage/deb/velastro-cli.1" >"$man/velastro-cli.1.gz"
  write_copyright >"$doc/copyright"
  write_changelog | gzip -9n >"$doc/changelog.Debian.gz"
  write_control >"$root/DEBIAN/control"
  (cd "$root" && find usr -type f | LC_ALL=C sort | xargs md5sum) >"$root/DEBIAN/md5sums"
  find "$root" -type d -exec chmod 0755 {} +
  find "$root" -type f ! -path "*/usr/bin/*" -exec chmod 0644 {} +
  find "$root" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
  dpkg-deb --root-owner-group -Zxz --build "$root" "dist/velastro-cli_${deb_version}_$arch.deb" \
    >/dev/null
}

# The page's static files in one folder, dated as the rest, for any web server.
make_web() {
  local name=velastro-web-$version dir=$stage/velastro-web-$version
  rm -rf "$dir"
  mkdir -p "$dir"
  cp build-web/site/* "$dir/"
  touch -d "@$SOURCE_DATE_EPOCH" "$dir" "$dir"/*
  (cd $stage && zip -q -X -r "../dist/$name.zip" "$name")
}

VELASTRO_ARCH=32 bash scripts/build-windows.sh --programs
VELASTRO_ARCH=64 bash scripts/build-windows.sh --programs
bash scripts/build-web.sh velastro-site
build_cli
version=$(cache_value CMAKE_PROJECT_VERSION)
file_version=$(for part in MAJOR MINOR PATCH TWEAK; do
  echo "$(cache_value CMAKE_PROJECT_VERSION_$part)"; done | sed 's/^$/0/' | paste -sd.)
deb_version=$version-1
arch=$(dpkg --print-architecture)
rm -rf dist
mkdir -p dist $stage
make_windows 32
make_windows 64
make_deb
make_web
(cd dist && sha256sum -- *.exe *.zip *.deb >SHA256SUMS)
echo "package: dist/, version $version"
ls -l dist
