# Sourced after scripts/wine-env.sh: the template prefix that every scenario copies.
# A crash in it ends the process at once: Wine's default debugger would attach and hang
# until the scenario's time-out, leaving nothing to read. The debugger named here does
# not exist, so an unhandled exception terminates the process with the exception's low
# byte as its exit status (5 for an access violation) and the fault in the clock's log.
pelio_make_e2e_template() {
    local prefix=$1
    [ -f "$prefix/.e2e-ready" ] && return 0
    pelio_make_prefix "$prefix" || return 1
    cat >"$prefix/drive_c/e2e.reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"="no-debugger-for-tests"
"Auto"="1"
REG
    WINEPREFIX=$prefix wine regedit /S 'C:\e2e.reg' </dev/null >>"$prefix.log" 2>&1 || return 1
    WINEPREFIX=$prefix wineserver -w
    touch "$prefix/.e2e-ready"
}
