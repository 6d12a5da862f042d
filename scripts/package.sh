#!/usr/bin/env bash
# Makes what is handed to users, into OUTDIR (default packages/):
#   scripts/package.sh [OUTDIR]
#   translation-editor_<version>_<arch>.deb          the Debian package (CPack, build-package/)
#   translation-editor-<version>-win32-setup.exe     the installer of the 32-bit Windows build
#   translation-editor-<version>-win64-setup.exe     the installer of the 64-bit Windows build
#   translation-editor-<version>-win32.zip, -win64.zip  the same programs without an installer
# The version is the project's (CMakeLists.txt, project VERSION). Installs missing Debian
# packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
# shellcheck disable=SC2086
ensure_packages $BUILD_PACKAGES $PACKAGE_PACKAGES
out=$(realpath -m "${1:-packages}")
mkdir -p "$out"

jobs=$(nproc)
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The dates inside the packages (changelog, AppStream release) are the last commit's, so
# that the same tree makes the same packages.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
export SOURCE_DATE_EPOCH

# The Debian package: a build of the product alone (no tests), installed under /usr.
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEDITOR_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr \
  "${launcher[@]}" >/dev/null
cmake --build build-package -j"$jobs"
rm -rf build-package/cpack
cpack --config build-package/CPackConfig.cmake -B build-package/cpack >/dev/null
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build-package/CPackConfig.cmake)
deb=translation-editor_${version}_$(dpkg --print-architecture).deb
cp "build-package/cpack/$deb" "$out/"
echo "package.sh: $out/$deb"

# The Windows builds (the same build folders and settings as the test command's), each
# as an installer and as a zip of a folder with the editor and the sample dictionary.
windows_package() {  # build folder, toolchain, NSIS architecture, name
    local build=$1 toolchain=$2 arch=$3 name=$4
    cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="cmake/$toolchain" -DCMAKE_BUILD_TYPE=Release \
      "${launcher[@]}" >/dev/null
    cmake --build "$build" -j"$jobs"
    local setup="translation-editor-$version-$name-setup.exe"
    makensis -V2 -DARCH="$arch" -DEDITOR="$PWD/$build/translation-editor.exe" -DOUTFILE="$out/$setup" \
      build-package/packaging/translation-editor.nsi
    echo "package.sh: $out/$setup"
    local folder="translation-editor-$version-$name"
    rm -rf "$build/zip" "$out/$folder.zip"
    mkdir -p "$build/zip/$folder"
    cp "$build/translation-editor.exe" build-package/sample/TranslationFile.dat "$build/zip/$folder/"
    (cd "$build/zip" && zip -qX -r "$out/$folder.zip" "$folder")
    echo "package.sh: $out/$folder.zip"
}
windows_package build-windows mingw-i686.cmake x86 win32
windows_package build-windows-x64 mingw-x86_64.cmake x64 win64
