# Sourced first by every script a user runs, before it installs, builds or starts anything.
# The comment block at the top of each script is its usage.

# pelio_usage <script>: prints that comment block, from the line after #! to the first line
# that is not a comment.
pelio_usage() {
    sed -n '2,${/^#/!q; s/^# \{0,1\}//p}' "$1"
}

# pelio_refuse <script> <message>: the message and the usage on stderr, exit status 2.
pelio_refuse() {
    echo "$(basename "$1"): $2" >&2
    pelio_usage "$1" >&2
    exit 2
}

# pelio_check_args <script> <most-operands> <options> [args...]: -h or --help prints the
# usage and exits 0; an option not among <options> (blank-separated), or more operands
# than the script takes, is refused. A folder whose name begins with "-" is given as ./-name.
pelio_check_args() {
    local script=$1 most=$2 known=" $3 " operands=0 arg
    shift 3
    for arg in "$@"; do
        case $arg in
        -h | --help) pelio_usage "$script"; exit 0 ;;
        -*) [[ $known == *" $arg "* ]] || pelio_refuse "$script" "unknown option $arg"
            continue ;;
        esac
        operands=$((operands + 1))
        [ "$operands" -le "$most" ] || pelio_refuse "$script" "too many arguments"
    done
}
