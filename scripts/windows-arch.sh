# Sourced: which Windows build this host can run under Wine.
# The clock is a 32-bit program. A kernel built or booted without 32-bit support (the
# 32-bit loader then fails with "Exec format error") runs the same sources built for
# x86_64 under 64-bit Wine instead; PELIO_WINDOWS_ARCH=i686 or x86_64 overrides the choice.
pelio_host_runs_32bit() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}
if [ -z "${PELIO_WINDOWS_ARCH:-}" ]; then
    if [ -e /usr/lib/wine/wine ] && ! pelio_host_runs_32bit; then
        PELIO_WINDOWS_ARCH=x86_64
    else
        PELIO_WINDOWS_ARCH=i686
    fi
fi
export PELIO_WINDOWS_ARCH

# pelio_arch_build_dir <build> <arch>: where the Release exe for that processor is built;
# build/win32 holds the one this host tests.
pelio_arch_build_dir() {
    if [ "$PELIO_WINDOWS_ARCH" = "$2" ]; then echo "$1/win32"; else echo "$1/win32-$2"; fi
}

# pelio_release_build_dir <build>: where the 32-bit release exe is built.
pelio_release_build_dir() {
    pelio_arch_build_dir "$1" i686
}
