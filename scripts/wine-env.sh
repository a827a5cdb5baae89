# Sourced by the scripts that run Movaril under Wine: our own prefix, X server and wineserver.
# Only things this shell started are ended; other prefixes and displays are never touched.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Movaril ships as a 32-bit program and is tested as one wherever the host can execute 32-bit code.
# Some virtual machines cannot (every i386 binary fails with "Exec format error"), so Wine's 32-bit half
# never starts there; on such a host the same sources are built and tested for x86_64 instead.
if [[ -z ${MOVARIL_ARCH:-} ]]; then
    if [[ -x /usr/lib/wine/wine64 ]] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        MOVARIL_ARCH=x86_64
    else
        MOVARIL_ARCH=i686
    fi
fi
export MOVARIL_ARCH
if [[ $MOVARIL_ARCH == x86_64 ]]; then
    export MOVARIL_PRESET=mingw64 WINEARCH=win64 WINEPREFIX=$ROOT/build/wine64
    # Debian's wine script prefers the 32-bit loader whenever it is installed, runnable or not.
    export WINELOADER=/usr/lib/wine/wine64
    # A script, not a link: the loader finds its preloader by the name it was called with.
    if [[ ! -x $ROOT/build/wine64-bin/wine ]]; then
        mkdir -p "$ROOT/build/wine64-bin"
        printf '#!/bin/sh\nexec %s "$@"\n' "$WINELOADER" >"$ROOT/build/wine64-bin/wine"
        chmod +x "$ROOT/build/wine64-bin/wine"
    fi
    [[ :$PATH: == *":$ROOT/build/wine64-bin:"* ]] || export PATH=$ROOT/build/wine64-bin:$PATH
else
    export MOVARIL_PRESET=mingw WINEARCH=win32 WINEPREFIX=$ROOT/build/wine
fi
# A prefix of its own for a screen set to another DPI (MOVARIL_DPI=144): the tests at that DPI.
if [[ -n ${MOVARIL_DPI:-} && $MOVARIL_DPI != 96 ]]; then
    export WINEPREFIX=$WINEPREFIX-dpi$MOVARIL_DPI
fi
# The build tree of that preset, where Movaril.exe and the test programs are.
export MOVARIL_BUILD=$ROOT/build/$MOVARIL_PRESET
export WINEDEBUG=-all
# No prompts to install Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="

MOVARIL_XVFB_PID=
MOVARIL_WINESERVER=

# Polls a command every 20 ms until it succeeds or the deadline (seconds) passes.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.02
    done
}

# Registry settings for a window-manager-less X server, crash handling and the Chinese UI font.
prefix_settings() {
    local link
    # REG_MULTI_SZ with the one entry "file,face", as UTF-16LE bytes.
    link=$(printf 'wqy-microhei.ttc,WenQuanYi Micro Hei\0\0' | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 |
        tr -s ' \n' ',,' | sed 's/^,//; s/,$//')
    cat <<EOF
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]
"Tahoma"=hex(7):$link
"MS Shell Dlg"=hex(7):$link

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"微软雅黑"="WenQuanYi Micro Hei"
EOF
    if [[ -n ${MOVARIL_DPI:-} ]]; then
        printf '\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$MOVARIL_DPI"
    fi
}

# Creates the prefix once and imports our settings whenever they change. A lock keeps parallel callers
# (CTest running several tests) from building it twice.
ensure_prefix() {
    local booted=$WINEPREFIX/.movaril-booted stamp=$WINEPREFIX/.movaril-settings settings sum
    settings=$(prefix_settings)
    sum=$(printf '%s' "$settings" | md5sum | cut -d' ' -f1)
    [[ -f $booted && $(cat "$stamp" 2>/dev/null) == "$sum" ]] && return 0
    mkdir -p "$ROOT/build"
    (
        flock 9
        if [[ ! -f $booted ]]; then
            echo "wine: creating the prefix ${WINEPREFIX#"$ROOT"/} (about 10 s)" >&2
            # What an interrupted run left behind is not worth repairing.
            rm -rf "$WINEPREFIX"
            # With an X display wineboot can take a minute instead of seconds.
            env -u DISPLAY wine wineboot -i >/dev/null 2>&1
            wineserver -w
            touch "$booted"
        fi
        if [[ $(cat "$stamp" 2>/dev/null) != "$sum" ]]; then
            # regedit reads the Chinese value name correctly only from a UTF-16 file.
            local reg=$WINEPREFIX/movaril.reg
            {
                printf '\xff\xfe'
                printf '%s\n' "$settings" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
            } >"$reg"
            env -u DISPLAY wine regedit /S "$reg" >/dev/null 2>&1
            wineserver -w
            echo "$sum" >"$stamp"
        fi
    ) 9>"$ROOT/build/wine.lock"
}

# Starts our own Xvfb on a display number it picks itself, and exports DISPLAY once it answers.
start_xvfb() {
    local fd_file=$ROOT/build/xvfb.display.$$
    rm -f "$fd_file"
    mkdir -p "$ROOT/build"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fd_file" >/dev/null 2>&1 &
    MOVARIL_XVFB_PID=$!
    if ! wait_for 10 grep -q '[0-9]' "$fd_file"; then
        echo "Xvfb did not start" >&2
        rm -f "$fd_file"
        return 1
    fi
    DISPLAY=:$(tr -dc 0-9 <"$fd_file")
    export DISPLAY
    rm -f "$fd_file"
    if ! wait_for 10 xdpyinfo >/dev/null 2>&1; then
        echo "Xvfb on $DISPLAY does not answer" >&2
        return 1
    fi
}

# A persistent wineserver, with the prefix's services and desktop process started here: they outlive the
# programs of a run, so started by a test they would hold its output pipe open and CTest would wait forever.
# Running, they also make each program's start-up faster.
start_wineserver() {
    wineserver -p
    MOVARIL_WINESERVER=1
    wine wineboot </dev/null >/dev/null 2>&1
}

# Callers end what they started however they end: normally, on an error, or on Ctrl-C.
trap_cleanup() {
    trap cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

cleanup() {
    if [[ -n $MOVARIL_WINESERVER ]]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
        MOVARIL_WINESERVER=
    fi
    if [[ -n $MOVARIL_XVFB_PID ]]; then
        kill "$MOVARIL_XVFB_PID" 2>/dev/null || true
        wait "$MOVARIL_XVFB_PID" 2>/dev/null || true
        MOVARIL_XVFB_PID=
    fi
}
