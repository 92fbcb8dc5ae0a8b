#!/bin/bash
# Runs one Windows program (or, with --unix, one Unix command that drives Windows programs) in the
# build folder's own throw-away Wine prefix, on a private Xvfb display, and passes its exit code on.
#
#   wine-run.sh PROGRAM.exe [ARGS...]      what CTest runs for every Windows test program
#   wine-run.sh --unix COMMAND [ARGS...]   COMMAND runs with WINEPREFIX, DISPLAY and WINEDEBUG set,
#                                          so everything it starts shares one prefix and display;
#                                          it should start Windows programs through wine-run.sh
#                                          too, not with wine itself (see run_windows_program)
#   wine-run.sh attrib +h 'E:\x'            a program of Wine's own, by name
#
# Environment:
#   VESTRA_BINARY_DIR   build folder (default: the nearest folder above PROGRAM, or above the
#                       current folder for --unix, that holds CMakeCache.txt)
#   VESTRA_WINEPREFIX   prefix folder (default: <build>/wineprefix)
#   VESTRA_WINVER       Windows version the program is shown: win7 (default), winxp, vista, ...
#                       Each version other than win7 gets its own prefix, <prefix>-<version>, so
#                       tests that ask for different versions can run side by side.
#   DISPLAY             when set, that display is used and no Xvfb is started
#   VESTRA_WINE_VERBOSE=1 tells what the script does on stderr
#
# Drives of every prefix: C: the usual drive_c; E: removable (<prefix>/drive_e); F: CD-ROM
# (<prefix>/drive_f).
set -u

readonly LAYOUT_VERSION=2  # raise when the prefix layout below changes: old prefixes are rebuilt
readonly DEFAULT_WINVER=win7
readonly XVFB_GRACE_SECONDS=3    # an idle display lives this long, so back-to-back tests share it
readonly FD_PREFIX_LOCK=6 FD_USERS_LOCK=7 FD_START_LOCK=8

say() {
    if [ "${VESTRA_WINE_VERBOSE:-0}" = 1 ]; then echo "wine-run: $*" >&2; fi
}
die() {
    echo "wine-run: $*" >&2
    exit 125
}

find_build_dir() {
    local dir=$1
    if [ -n "${VESTRA_BINARY_DIR:-}" ]; then
        echo "$VESTRA_BINARY_DIR"
        return
    fi
    dir=$(cd "$dir" 2>/dev/null && pwd -P) || return 1
    while [ "$dir" != / ]; do
        if [ -f "$dir/CMakeCache.txt" ]; then
            echo "$dir"
            return
        fi
        dir=$(dirname "$dir")
    done
    return 1
}

wine_env() {
    export WINEPREFIX=$1 WINEARCH=win64
    export WINEDEBUG=${WINEDEBUG:--all}
    # No Mono or Gecko: a fresh prefix would otherwise try to download and install them.
    local overrides="mscoree,mshtml="
    case "${WINEDLLOVERRIDES:-}" in
        "" | "$overrides" | "$overrides;"*)
            export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-$overrides} ;;
        *) export WINEDLLOVERRIDES="$overrides;$WINEDLLOVERRIDES" ;;
    esac
}

# Creates the prefix once; parallel callers wait on the lock and then find it ready.
ensure_prefix() {
    local prefix=$1 winver=$2 stamp="$1/.winebed-ready"
    local want="layout=$LAYOUT_VERSION winver=$winver"
    mkdir -p "$(dirname "$prefix")" || die "cannot create $(dirname "$prefix")"
    eval "exec $FD_PREFIX_LOCK>\"\$prefix.lock\""
    flock -x "$FD_PREFIX_LOCK"
    if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$want" ]; then
        create_prefix "$prefix" "$winver" >"$prefix.log" 2>&1 || {
            cat "$prefix.log" >&2
            die "could not create the Wine prefix $prefix (log above)"
        }
        echo "$want" >"$stamp"
    fi
    eval "exec $FD_PREFIX_LOCK>&-"
}

create_prefix() (
    local prefix=$1 winver=$2 started=$SECONDS
    # Any wineserver of an old layout must go before its files do.
    if [ -d "$prefix" ]; then
        WINEPREFIX=$prefix wineserver -k 2>/dev/null
        WINEPREFIX=$prefix wineserver -w 2>/dev/null
        rm -rf "$prefix"
    fi
    unset DISPLAY  # wineboot needs no display; the prefix must not remember one
    wine_env "$prefix"
    set -e
    wineboot -i
    mkdir -p "$prefix/drive_e" "$prefix/drive_f"
    ln -sfn ../drive_e "$prefix/dosdevices/e:"
    ln -sfn ../drive_f "$prefix/dosdevices/f:"
    wine reg add 'HKLM\Software\Wine\Drives' /v e: /t REG_SZ /d floppy /f
    wine reg add 'HKLM\Software\Wine\Drives' /v f: /t REG_SZ /d cdrom /f
    if [ "$winver" != "$DEFAULT_WINVER" ]; then
        # What winecfg -v writes; winecfg itself refuses winxp in a 64-bit prefix, Wine does not.
        wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$winver" /f
    fi
    # The mount manager reads the drive types only when it starts: restart the server.
    wineserver -k || true
    wineserver -w
    echo "prefix ready in $((SECONDS - started)) s"
) 6>&- 7>&- 8>&-

# Joins the build's shared Xvfb, starting it (and its reaper) when none is running. The shared
# lock on users.lock, held until this script ends, keeps the reaper from tearing the display down.
join_display() {
    local build=$1 prefix=$2 xdir="$1/xvfb"
    mkdir -p "$xdir"
    eval "exec $FD_USERS_LOCK>\"\$xdir/users.lock\""
    flock -s "$FD_USERS_LOCK"
    eval "exec $FD_START_LOCK>\"\$xdir/start.lock\""
    flock -x "$FD_START_LOCK"
    local pid display
    pid=$(cat "$xdir/pid" 2>/dev/null)
    display=$(cat "$xdir/display" 2>/dev/null)
    # The recorded process must still be that Xvfb (a pid may be reused after a restart).
    if [ -z "$display" ] || [ "$(cat "/proc/$pid/comm" 2>/dev/null)" != Xvfb ]; then
        start_xvfb "$xdir" || die "could not start Xvfb (see $xdir/xvfb.log)"
        display=$(cat "$xdir/display")
        setsid "$0" --reap "$build" "$(cat "$xdir/pid")" </dev/null >>"$xdir/reaper.log" 2>&1 \
            6>&- 7>&- 8>&- &
    fi
    remember_prefix "$xdir" "$prefix"
    eval "exec $FD_START_LOCK>&-"
    export DISPLAY=":$display" VESTRA_WINE_XVFB=":$display"
    say "display $DISPLAY"
}

# The reaper stops the wineserver of every prefix that used its display (their desktop process
# would otherwise outlive the display it was drawn on).
remember_prefix() {
    grep -qxF "$2" "$1/prefixes" 2>/dev/null || echo "$2" >>"$1/prefixes"
}

# Starts the prefix's wineserver, its services and its desktop process unless they run already.
# Two reasons: left to itself the server quits three seconds after its last program, and every
# program after that pays a second or more to start it again; and the services are started by
# whichever program comes first and inherit its standard error, so a caller that reads that
# program's output through a pipe would wait for them forever. Started here, they get /dev/null.
ensure_server() {
    local prefix=$1 persistence=$2
    eval "exec $FD_PREFIX_LOCK>\"\$prefix.lock\""
    flock -x "$FD_PREFIX_LOCK"
    # wineserver answers 0 when it started, 2 when a server for the prefix runs already.
    if wineserver "$persistence" </dev/null >/dev/null 2>&1 6>&- 7>&- 8>&-; then
        say "started wineserver $persistence and services"
        wine cmd /c exit </dev/null >/dev/null 2>&1 6>&- 7>&- 8>&-
    fi
    eval "exec $FD_PREFIX_LOCK>&-"
}

start_xvfb() {
    local xdir=$1 ready="$1/displayfd"
    rm -f "$ready" "$xdir/display" "$xdir/pid"
    # -displayfd lets Xvfb pick a free display number and tells it once it accepts clients.
    setsid Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        9>"$ready" </dev/null >"$xdir/xvfb.log" 2>&1 6>&- 7>&- 8>&- &
    local pid=$! tries=0
    until grep -q '[0-9]' "$ready" 2>/dev/null; do
        kill -0 "$pid" 2>/dev/null || return 1
        tries=$((tries + 1))
        [ $tries -lt 200 ] || { kill "$pid"; return 1; }
        sleep 0.05
    done
    tr -dc '0-9' <"$ready" >"$xdir/display"
    echo "$pid" >"$xdir/pid"
    disown "$pid" 2>/dev/null || true
    say "started Xvfb :$(cat "$xdir/display") (pid $pid)"
}

# Waits until nobody has used the display for a grace period, then stops the wineservers of the
# prefixes that used it and the Xvfb itself.
reap() {
    local build=$1 xvfb_pid=$2 xdir="$1/xvfb"
    eval "exec $FD_USERS_LOCK>\"\$xdir/users.lock\""
    while kill -0 "$xvfb_pid" 2>/dev/null; do
        flock -x "$FD_USERS_LOCK"
        flock -u "$FD_USERS_LOCK"
        sleep "$XVFB_GRACE_SECONDS"
        flock -x -n "$FD_USERS_LOCK" || continue
        if [ "$(cat "$xdir/pid" 2>/dev/null)" = "$xvfb_pid" ]; then
            local prefix
            while read -r prefix; do
                [ -d "$prefix" ] || continue
                WINEPREFIX=$prefix wineserver -k 2>/dev/null
                WINEPREFIX=$prefix wineserver -w 2>/dev/null
            done <"$xdir/prefixes"
            rm -f "$xdir/pid" "$xdir/display" "$xdir/prefixes"
        fi
        kill "$xvfb_pid" 2>/dev/null
        break
    done
}

# Runs the Windows program. Wine hands its standard error on to the system processes it starts (the
# desktop process, services), which outlive the program; if that were the caller's pipe (CTest's,
# or a test reading the output), the caller would wait for them forever. So unless standard error
# is a terminal, the program writes it to a file, which is copied out when the program ends.
run_windows_program() {
    if [ -t 2 ]; then
        wine "$@" 6>&- 7>&- 8>&-
        return
    fi
    local errors status
    errors=$(mktemp "${TMPDIR:-/tmp}/wine-run-stderr.XXXXXX") || die "cannot make a temporary file"
    # Opened twice and unlinked at once, so that not even a killed run leaves the file behind.
    # shellcheck disable=SC2094  # one descriptor writes, the other reads it back afterwards
    exec 4>"$errors" 5<"$errors"
    rm -f "$errors"
    wine "$@" 2>&4 4>&- 5<&- 6>&- 7>&- 8>&-
    status=$?
    exec 4>&-
    cat <&5 >&2
    exec 5<&-
    return $status
}

main() {
    [ $# -ge 1 ] || die "usage: wine-run.sh PROGRAM.exe [ARGS...] | --unix COMMAND [ARGS...]"
    if [ "$1" = --reap ]; then
        reap "$2" "$3"
        exit 0
    fi
    local unix_mode=0 anchor
    if [ "$1" = --unix ]; then
        unix_mode=1
        shift
        [ $# -ge 1 ] || die "--unix needs a command"
        anchor=$PWD
    elif [[ "$1" == */* ]]; then
        [ -e "$1" ] || die "no such program: $1"
        anchor=$(dirname "$1")
    else
        anchor=$PWD  # a program of Wine's own, such as attrib or reg
    fi
    local build prefix winver=${VESTRA_WINVER:-$DEFAULT_WINVER}
    build=$(find_build_dir "$anchor") || die "cannot find the build folder; set VESTRA_BINARY_DIR"
    case "$winver" in *[!a-z0-9]* | "") die "bad VESTRA_WINVER: $winver" ;; esac
    prefix=${VESTRA_WINEPREFIX:-$build/wineprefix}
    if [ "$winver" != "$DEFAULT_WINVER" ]; then prefix="$prefix-$winver"; fi
    say "build $build, prefix $prefix"

    ensure_prefix "$prefix" "$winver"
    # With a display of our own, the reaper ends the server; on someone else's display the server
    # goes by itself a while after its last program.
    local persistence=-p
    if [ -z "${DISPLAY:-}" ]; then
        join_display "$build" "$prefix"
    elif [ "${VESTRA_WINE_XVFB:-}" = "$DISPLAY" ]; then
        # Started inside a --unix session: its display is ours already; only record the prefix.
        eval "exec $FD_START_LOCK>\"\$build/xvfb/start.lock\""
        flock -x "$FD_START_LOCK"
        remember_prefix "$build/xvfb" "$prefix"
        eval "exec $FD_START_LOCK>&-"
    else
        persistence=-p30
    fi
    wine_env "$prefix"
    ensure_server "$prefix" "$persistence"
    export VESTRA_BINARY_DIR=$build
    if [ $unix_mode = 1 ]; then
        "$@" 6>&- 7>&- 8>&-
    else
        run_windows_program "$@"
    fi
}

main "$@"
