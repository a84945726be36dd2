#!/usr/bin/env bash
# Cross-builds everything that needs no Qt for 64-bit Windows (MinGW-w64, into
# build-windows/), runs every test under Wine, and compares a silent run of
# Engineering_Config.exe under Wine with one of the Linux build (build/) on
# another copy of the sample installation: text files byte for byte (apart
# from the edit-info stamp and paths), databases by content (sqlite3 .dump).
#
# SQLite comes from Debian's own source package (a deb-src entry for the
# archive the machine already uses is added when missing), libmdb from
# Debian's mdbtools source package, GoogleTest from Debian's googletest
# sources. The last line is "N passed, M failed": test
# cases and comparison checks; the status is 1 when anything failed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-windows
third_party=$out/third_party

scripts/install-deps.sh --windows

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# SQLite's amalgamation from the source package of the SQLite the Linux build
# uses, built once into build-windows/third_party.
sqlite_dir=$third_party/sqlite-amalgamation
if [ ! -f "$sqlite_dir/sqlite3.c" ]; then
    if ! apt-cache showsrc sqlite3 2>/dev/null | grep -q '^Package:'; then
        echo "Adding a deb-src entry for the archive this machine uses"
        if [ -f /etc/apt/sources.list.d/debian.sources ]; then
            sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
                as_root tee /etc/apt/sources.list.d/engineering-deb-src.sources >/dev/null
        else
            grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
                as_root tee /etc/apt/sources.list.d/engineering-deb-src.list >/dev/null
        fi
        as_root apt-get update -qq
    fi
    version=$(dpkg-query -W -f='${source:Version}' libsqlite3-0)
    rm -rf "$third_party/sqlite-source"
    mkdir -p "$third_party/sqlite-source" "$sqlite_dir"
    (cd "$third_party/sqlite-source" && apt-get source -qq "sqlite3=$version" >/dev/null 2>&1)
    source_tree=$(find "$third_party/sqlite-source" -mindepth 1 -maxdepth 1 -type d -name 'sqlite3-*')
    mkdir -p "$source_tree/amalgamation"
    (cd "$source_tree/amalgamation" && ../configure >/dev/null && make -s sqlite3.c >/dev/null)
    cp "$source_tree/amalgamation/sqlite3.c" "$source_tree/amalgamation/sqlite3.h" "$sqlite_dir/"
fi

# libmdb from mdbtools' source, fetched once into build-windows/third_party:
# Debian 13's mdbtools 1.0.1, pinned by its checksum (Debian 12's 1.0.0, the
# one the Linux build links, has no source tarball where this machine fetches
# packages; both read the same files through the same interface). apt-get
# uses a list of its own under build-windows, so the machine's sources stay
# as they are; the package's .dsc may be missing there, the tarball is what
# counts.
mdb_dir=$third_party/mdbtools
mdb_tarball=mdbtools_1.0.1.orig.tar.gz
mdb_sha256=750cbf793bf5b7e296fdc359124393a0aef89ee663b7741ba4b1ca2ce30b3b37
if [ ! -f "$mdb_dir/src/libmdb/catalog.c" ]; then
    apt_dir=$third_party/apt
    mkdir -p "$apt_dir/lists/partial" "$third_party/mdbtools-source"
    # The archive the machine already uses (its first entry, not the security one).
    archive=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
    [ -n "$archive" ] ||
        archive=$(sed -n 's/^deb \(\[[^]]*\] \)\?\([^ ]*\).*/\2/p' /etc/apt/sources.list | head -n 1)
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $archive trixie main" \
        >"$apt_dir/sources.list"
    apt_options=(-o "Dir::Etc::sourcelist=$apt_dir/sources.list" -o Dir::Etc::sourceparts=-
                 -o "Dir::State::Lists=$apt_dir/lists" -o APT::Get::List-Cleanup=0)
    apt-get "${apt_options[@]}" update -qq
    (cd "$third_party/mdbtools-source" &&
        { apt-get "${apt_options[@]}" source --download-only -qq mdbtools=1.0.1-0.1 >/dev/null 2>&1 || true; })
    if ! echo "$mdb_sha256  $third_party/mdbtools-source/$mdb_tarball" | sha256sum -c --quiet; then
        echo "error: could not fetch $mdb_tarball (Debian's mdbtools source)" >&2
        exit 1
    fi
    rm -rf "$mdb_dir" "$third_party/mdbtools-source/mdbtools-1.0.1"
    tar -xzf "$third_party/mdbtools-source/$mdb_tarball" -C "$third_party/mdbtools-source"
    mv "$third_party/mdbtools-source/mdbtools-1.0.1" "$mdb_dir"
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DENGINEERING_WINDOW=OFF -DENGINEERING_BUILD_BENCH=OFF \
      -DENGINEERING_SQLITE_SOURCE_DIR="$sqlite_dir" -DENGINEERING_MDB_SOURCE_DIR="$mdb_dir" \
      -DENGINEERING_GTEST_SOURCE_DIR=/usr/src/googletest "${launcher[@]}" >/dev/null
cmake --build "$out" -j2
scripts/build.sh # the Linux program the silent run is compared with

# Wine in a prefix of its own under the build folder; its drive C: is a
# scratch folder, which holds the fault log C:\HalvarServicePack.log.
# The server and Wine's own services are started here, apart from any output
# pipe (they would hold it open), and stopped at the end.
export WINEPREFIX=$out/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i </dev/null >/dev/null 2>&1
# The libmdb DLL of the build (cmake/Libmdb.cmake), for every program run
# here; Wine's search path takes its own names of folders.
WINEPATH=$(winepath -w "$out/bin")
export WINEPATH

passed=0
failed=0

# Every test executable, one after another (they share C:\HalvarServicePack.log).
while IFS= read -r exe; do
    log=$out/$(basename "$exe" .exe).log
    echo "== $(basename "$exe") under Wine"
    # A run that ends without any test summary lost its Wine server on the way
    # (it is seen as "wine client error" now and then): it is run again, at
    # most twice. A run with failing tests has a summary and is never rerun.
    for attempt in 1 2 3; do
        set +e
        timeout 1800 wine "$exe" >"$log" 2>&1 # no ctest here to end a hang
        status=$?
        set -e
        # Standard output under Wine ends its lines with CR LF.
        summary=$(tr -d '\r' <"$log" | grep -E '^\[  (PASSED  |FAILED  |SKIPPED )\] [0-9]' || true)
        [ -n "$summary" ] && break
        echo "no test summary (exit $status, try $attempt): $(tail -c 200 "$log")"
        wineserver -k 2>/dev/null || true
        wineboot -i </dev/null >/dev/null 2>&1
    done
    ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\.$/\1/p' <<<"$summary")
    bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below:$/\1/p' <<<"$summary")
    [ -z "$summary" ] || echo "$summary"
    if [ -z "$ok" ] && [ -z "$bad" ]; then
        echo "no test summary (exit $status); see $log"
        bad=1
    elif [ "$status" -ne 0 ] && [ -z "$bad" ]; then
        bad=1
    fi
    passed=$((passed + ${ok:-0}))
    failed=$((failed + ${bad:-0}))
done < <(find "$out/tests" -name '*_tests.exe' | sort)

# The silent run on two copies of the sample installation.
compare=$out/compare
rm -rf "$compare"
mkdir -p "$compare/linux" "$compare/windows"
cp -r examples/. "$compare/linux/"
cp -r examples/. "$compare/windows/"
cmake --install build --prefix "$compare/linux/Engineering" >/dev/null
cp "$out/app/Engineering_Config.exe" "$compare/windows/Engineering/"
fault_log=$WINEPREFIX/drive_c/HalvarServicePack.log
rm -f "$fault_log"

check() { # description, then the command that must succeed
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "FAILED: $what"
        failed=$((failed + 1))
    fi
}

set +e
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$compare/linux/Engineering/Engineering_Config" /EXTERNAL SILENT
linux_status=$?
wine "$compare/windows/Engineering/Engineering_Config.exe" /EXTERNAL SILENT
windows_status=$?
set -e
echo "== silent run: Linux exit $linux_status, Windows exit $windows_status"
check "the Linux run ends with 0" test "$linux_status" -eq 0
check "the Windows run ends with 0" test "$windows_status" -eq 0
check "the Windows run writes no fault log" test ! -e "$fault_log"

# Each run keeps one backup folder named by its time: compared under one name.
for side in linux windows; do
    for folder in "$compare/$side/Engineering/backup"/*/; do
        if [ -d "$folder" ]; then mv "$folder" "$compare/$side/Engineering/backup/run"; fi
    done
done

# A text file as compared: without the edit-info stamp lines of [Info] (in
# the .cfg and in the change report's lines for it), with the installation's
# own path in either spelling replaced, and left out: the change report's
# times and backup folder name, the lock holder's process and start, and the
# journal's time and new versions' checksums and sizes (the new .cfg carries
# the stamp, the databases are compared by content; each side's journal is
# checked against its own files below).
normalized() { # file, installation root as the program saw it
    INSTALLATION="$2" perl -ne '
        $section = lc $1 if /^\s*\[([^\]]*)\]/;
        next if $section eq "info" && /^S_(Prog|Editor)=/i;
        $reported = $_ if /^\S/;
        next if $reported =~ /, \[Info\] / && /^\s+S_(Prog|Editor):/i;
        s/\Q$ENV{INSTALLATION}\E/<installation>/gi;
        s/^==== \d{4}-\d\d-\d\d \d\d:\d\d:\d\d/==== <time>/;
        s/backup[\/\\]\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d/backup<sep><time>/;
        s/^process \d+, started [\d: -]+/process <id>, started <time>/;
        s/^(\s*"time": )".*"/$1"<time>"/;
        s/^(\s*"new(Sha256|Size)": ).*/$1<new version>/;
        print' "$1"
}
# Whether every journal of a side names the files that side holds now: the
# new versions' sizes and SHA-256 as the run computed them.
journals_name_files() { # component folder
    perl -MJSON::PP -MDigest::SHA=sha256_hex -e '
        my ($component, $journals) = ($ARGV[0], 0);
        for my $manifest (glob "$component/backup/*/journal.json") {
            open my $in, "<:raw", $manifest or exit 1;
            my $journal = decode_json(do { local $/; <$in> });
            ++$journals;
            for my $file (@{$journal->{files}}) {
                next unless $file->{remains};
                open my $now, "<:raw", "$component/$file->{name}" or exit 1;
                my $bytes = do { local $/; <$now> };
                exit 1 if sha256_hex($bytes) ne $file->{newSha256} ||
                          length($bytes) != $file->{newSize};
            }
        }
        exit($journals ? 0 : 1)' "$1"
}
windows_root="Z:$(printf '%s' "$compare/windows" | tr / '\\')"

same_text() {
    cmp -s <(normalized "$compare/linux/$1" "$compare/linux") \
           <(normalized "$compare/windows/$1" "$windows_root")
}
same_database() {
    cmp -s <(sqlite3 "$compare/linux/$1" .dump) <(sqlite3 "$compare/windows/$1" .dump)
}
both_have() {
    [ -e "$compare/linux/$1" ] && [ -e "$compare/windows/$1" ]
}

check "the Linux journal names the Linux files" journals_name_files "$compare/linux/Engineering"
check "the Windows journal names the Windows files" journals_name_files "$compare/windows/Engineering"

files=$( (cd "$compare/linux" && find . -type f; cd "$compare/windows" && find . -type f) |
         sed 's|^\./||' | grep -v -E '^Engineering/(Engineering_Config(\.exe|_window\.so)?|libengineering_core\.so)$' | sort -u)
compared=0
while IFS= read -r file; do
    compared=$((compared + 1))
    if ! both_have "$file"; then
        check "$file written by both runs" false
    elif [[ $file == *.mdb ]]; then
        check "$file: the same content" same_database "$file"
    else
        check "$file: the same bytes" same_text "$file"
    fi
done <<<"$files"
echo "== compared $compared files of the two installations"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
