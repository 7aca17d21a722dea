# Sourced after scripts/wine-env.sh: the prefixes the tests run in.

# A crash in a test prefix ends the process at once: Wine's default debugger would attach
# and hang until the test's time-out, leaving nothing to read. The debugger named here
# does not exist, so an unhandled exception terminates the process with the exception's
# low byte as its exit status (5 for an access violation) and the fault in its output.
pelio_without_debugger() {
    local prefix=$1
    [ -f "$prefix/.no-debugger" ] && return 0
    cat >"$prefix/drive_c/no-debugger.reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"="no-debugger-for-tests"
"Auto"="1"
REG
    WINEPREFIX=$prefix wine regedit /S 'C:\no-debugger.reg' </dev/null >>"$prefix.log" 2>&1 \
        || return 1
    WINEPREFIX=$prefix wineserver -w
    touch "$prefix/.no-debugger"
}

# The template that the scenarios without a window manager copy; nothing ever runs in it.
pelio_make_e2e_template() {
    pelio_make_prefix "$1" bare && pelio_without_debugger "$1"
}

# The desktop scenarios' template: made exactly as scripts/run.sh makes the user's prefix.
pelio_make_desktop_template() {
    pelio_make_prefix "$1" desktop
}
