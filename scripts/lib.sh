# Shared helpers of the scripts: installing what the build needs.

# ensure_packages PKG...: installs the Debian packages that are missing.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo="sudo"
        else
            echo "Missing packages: ${missing[*]}. Install them as root (apt-get install ${missing[*]})." >&2
            return 1
        fi
    fi
    echo "Installing ${missing[*]} ..." >&2
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q >&2
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "${missing[@]}" >&2
}

# Packages that building and running the program need (Qt's own dialogs
# take their German and French texts from the translations).
BUILD_PACKAGES=(cmake ninja-build g++ make pkg-config qt6-base-dev libqt6sql6-sqlite
    qt6-translations-l10n)
# Packages that the tests, the benchmarks and the fuzzers need on top.
TEST_PACKAGES=(ccache libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev clang libclang-rt-14-dev
    desktop-file-utils appstream shared-mime-info libfile-mimeinfo-perl)
# Packages that making the Debian package (scripts/package) and trying it in
# a clean Debian root (scripts/test-package) need.
PACKAGE_PACKAGES=(dpkg-dev file lintian)
PACKAGE_TEST_PACKAGES=(mmdebstrap)

# build_preset NAME: configures (once) and builds a preset quietly; the log is
# shown when something fails.
build_preset() {
    local preset=$1
    # Objects are shared between clones of the project in other folders.
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR=1
    local log="build/$preset.log"
    mkdir -p build
    if [ ! -f "build/$preset/build.ninja" ]; then
        cmake --preset "$preset" >"$log" 2>&1 || { cat "$log" >&2; return 1; }
    fi
    cmake --build --preset "$preset" >"$log" 2>&1 || { cat "$log" >&2; return 1; }
}

# run_fuzzer BUILD_DIR TARGET SECONDS: replays the inputs that once crashed
# TARGET (fuzz/regressions/TARGET/), then fuzzes it for SECONDS from its kept
# corpus (fuzz/corpus/TARGET/), the seeds in BUILD_DIR/corpus/TARGET/ and the
# inputs earlier runs on this machine found ($PROVANA_FUZZ_CACHE/TARGET/,
# default ~/.cache/provana/fuzz). The inputs of this run that reach new
# coverage are merged into that cache, so each run starts deeper than the
# last. A crash leaves its input in BUILD_DIR/artifacts/ and fails.
run_fuzzer() {
    local dir=$1 target=$2 seconds=$3
    local program="$dir/bin/$target" log="$dir/$target.log"
    local seeds="$dir/corpus/$target" kept="fuzz/corpus/$target" found="$dir/found/$target"
    local cache="${PROVANA_FUZZ_CACHE:-$HOME/.cache/provana/fuzz}/$target"
    local dict="$dir/corpus/$target.dict"
    local options=(-timeout=10 -rss_limit_mb=4096 "-artifact_prefix=$dir/artifacts/$target-")
    [ -f "$dict" ] && options+=("-dict=$dict")
    mkdir -p "$dir/artifacts" "$seeds" "$kept" "$cache" "$found"
    local regressions=(fuzz/regressions/"$target"/*)
    if [ -e "${regressions[0]}" ]; then
        "$program" "${options[@]}" "${regressions[@]}" >"$log" 2>&1 ||
            { tail -n 40 "$log" >&2; echo "$target: a saved regression input fails" >&2; return 1; }
    fi
    "$program" "${options[@]}" -max_total_time="$seconds" "$found" "$cache" "$kept" "$seeds" \
        >"$log" 2>&1 ||
        { tail -n 40 "$log" >&2; echo "$target: crash, input saved in $dir/artifacts/" >&2; return 1; }
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | sed "s/^/$target: /" || true
    "$program" "${options[@]}" -merge=1 "$cache" "$found" >>"$log" 2>&1 ||
        echo "$target: merging the new inputs into $cache failed" >&2
}
