# Shared set-up of scripts/test, scripts/run and scripts/bench: installs what
# is missing, builds, and prepares a private Wine prefix under build/.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"

log() { printf '== %s\n' "$*" >&2; }

need_sudo() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

ensure_packages() {
    local missing=()
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64)
    command -v wine >/dev/null || missing+=(wine wine64)
    [ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null || missing+=(wine64)
    command -v Xvfb >/dev/null || missing+=(xvfb)
    command -v xdotool >/dev/null || missing+=(xdotool)
    command -v import >/dev/null || missing+=(imagemagick)
    command -v cmake >/dev/null || missing+=(cmake)
    command -v ninja >/dev/null || missing+=(ninja-build)
    [ -d /usr/src/googletest ] || missing+=(googletest)
    [ -d /usr/share/fonts/truetype/nanum ] || missing+=(fonts-nanum)
    # Wine's own Marlett, for the caption buttons (see windows_defaults).
    dpkg -s fonts-wine >/dev/null 2>&1 || missing+=(fonts-wine)
    command -v locale-gen >/dev/null || missing+=(locales)
    if [ ${#missing[@]} -gt 0 ]; then
        log "installing: ${missing[*]}"
        need_sudo apt-get update -qq
        need_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
    if ! locale -a 2>/dev/null | grep -qi '^ko_KR\.utf-\?8$'; then
        log "generating the ko_KR.UTF-8 locale"
        if [ -f /etc/locale.gen ]; then
            need_sudo sed -i 's/^# *\(ko_KR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
            grep -q '^ko_KR.UTF-8 UTF-8' /etc/locale.gen || echo 'ko_KR.UTF-8 UTF-8' | need_sudo tee -a /etc/locale.gen >/dev/null
            need_sudo locale-gen >/dev/null
        else
            need_sudo localedef -i ko_KR -f UTF-8 ko_KR.UTF-8
        fi
    fi
}

build_all() {
    if [ ! -f "$BUILD/build.ninja" ]; then
        cmake -S "$ROOT" -B "$BUILD" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
            -DCMAKE_BUILD_TYPE=Release >/dev/null
    fi
    cmake --build "$BUILD" -- -j"$(nproc)" "$@"
}

# Wine runs in a prefix of its own with a throwaway home, so that neither
# ~/.wine nor the user's Desktop and Documents are ever touched.
prefix_env() {  # PREFIX HOME LOCALE
    export WINEPREFIX="$1"
    # Tells the tests that write the current user's registry that this is a
    # prefix of ours, never the user's own.
    export QUORVEL_PRIVATE_PREFIX="$1"
    export WINEARCH=win64
    export WINEDEBUG=-all
    # No debugger on a crash: a crashing test ends at once instead of
    # waiting for a debugger nobody attends.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
    export HOME="$2"
    export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
    export LANG="$3" LC_ALL="$3"
    # Created before the prefix, so that the prefix's Desktop is a folder
    # of its own inside the throwaway home.
    mkdir -p "$HOME/Desktop"
}

# The shared prefix, in code page 949 as on a Korean Windows.
wine_env() {
    prefix_env "$BUILD/wineprefix" "$BUILD/winehome" ko_KR.UTF-8
}

start_display() {
    # The user's display when there is one (QUORVEL_XVFB=1 forces a virtual one).
    if [ -n "${DISPLAY:-}" ] && [ -z "${QUORVEL_XVFB:-}" ]; then
        return 0
    fi
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && return 0
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
    done
    log "could not start Xvfb"
    return 1
}

stop_display() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
}

setup_prefix() {
    wine_env
    prepare_prefix
}

# Makes the prefix WINEPREFIX once (a stamp marks it ready) and applies
# Windows' defaults to it every time.
prepare_prefix() {
    local stamp="$WINEPREFIX/.quorvel-ready"
    if [ -f "$stamp" ]; then
        windows_defaults
        return 0
    fi
    log "creating the Wine prefix in $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    timeout 300 wineboot -i >/dev/null 2>&1 || true
    timeout 120 wineserver -w || true
    # Korean dialog fonts map to an installed Korean font, so that text
    # renders the same on every machine.
    local face
    for face in "굴림" "Gulim" "굴림체" "GulimChe" "돋움" "Dotum" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS Sans Serif"; do
        timeout 60 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "NanumGothic" /f >/dev/null 2>&1 || true
    done
    # Wine draws the window frames itself, so that captions show on a bare
    # X server without a window manager.
    timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    windows_defaults
    touch "$stamp"
}

# Extra prefixes, each for a test that needs a system other than the shared
# prefix's: a prefix and a throwaway home of its own, its locale (and so its
# code page), and its settings. The test runs in it through scripts/in-prefix.
#   cp1252: an English Windows, code page 1252.
#   dpi144: a Korean Windows whose screen is scaled to 150% (144 DPI).
extra_prefix_env() {  # NAME
    local locale=ko_KR.UTF-8
    case $1 in
    cp1252) locale=C.UTF-8 ;;
    esac
    prefix_env "$BUILD/wineprefix-$1" "$BUILD/winehome-$1" "$locale"
}

# The settings that make an extra prefix what its name says, applied every
# time it is prepared.
extra_prefix_settings() {  # NAME
    case $1 in
    dpi144)
        timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 || true
        timeout 120 wineserver -w || true
        ;;
    esac
}

# The one routine that makes, starts and stops the extra prefixes:
# extra_prefix start NAME, extra_prefix stop (every one that exists).
extra_prefix() {  # start NAME | stop
    case $1 in
    start)
        ( extra_prefix_env "$2" && prepare_prefix && extra_prefix_settings "$2" && start_wine )
        ;;
    stop)
        local dir
        for dir in "$BUILD"/wineprefix-*; do
            [ -d "$dir" ] || continue
            ( extra_prefix_env "${dir##*/wineprefix-}" && timeout 30 wineserver -k >/dev/null 2>&1 ) || true
        done
        ;;
    esac
}

# Settings in which Windows differs from Wine's defaults, applied on every
# set-up: prefixes made before a setting was added get it too, and a test
# that changed one and did not end cleanly leaves nothing behind.
windows_defaults() {
    # Wine draws the caption buttons with Marlett from fonts-wine, but this
    # Wine build does not look in the folder that package fills: without a
    # copy in the prefix the buttons show as the letters "0 1 r". Only
    # Marlett: the other faces there would take the place of NanumGothic.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
        mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    fi
    # Windows hides the extensions of known file types; the shell's display
    # names then differ from the names on disk, as they do for its users.
    timeout 60 wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced' \
        /v HideFileExt /t REG_DWORD /d 1 /f >/dev/null 2>&1 || true
    timeout 120 wineserver -w || true
}

# Starts the prefix's wineserver, its services, desktop and shell helpers
# ahead of the tests, detached from any output pipe: a test that started them itself
# would hold ctest's pipe open, and so its own result, until the last test
# ended.
start_wine() {
    timeout 30 wineserver -p >/dev/null 2>&1 </dev/null || true
    timeout 120 wine cmd /c exit >/dev/null 2>&1 </dev/null || true
    if [ -f "$BUILD/tests/wine_prestart.exe" ]; then
        # It stays, keeping the desktop process alive, until stop_wine ends
        # the prefix's processes.
        (wine "$BUILD/tests/wine_prestart.exe" stay >/dev/null 2>&1 </dev/null &)
        local i
        for i in $(seq 1 200); do
            desktop_running && break
            sleep 0.1
        done
    fi
}

# Whether Wine's desktop process of this prefix runs.
desktop_running() {
    local p
    for p in $(pgrep -f "explorer.exe /desktop"); do
        tr '\0' '\n' </proc/"$p"/environ 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
    done
    return 1
}

stop_wine() {
    [ -n "${WINEPREFIX:-}" ] && timeout 30 wineserver -k >/dev/null 2>&1 || true
}

# Fails when the program imports the ANSI variant of a function that has a
# wide one: every text the program handles is UTF-16, and an ANSI call would
# bring the system's code page back. The thread runtime that the compiler
# links in (winpthreads) makes unnamed events and semaphores and writes ASCII
# debug text through three ANSI calls; none of them converts text.
check_wide_imports() {
    local exe=$1 lib=/usr/x86_64-w64-mingw32/lib
    local allowed=" CreateEventA CreateSemaphoreA OutputDebugStringA "
    local imports wide name dll bad=""
    imports=$(x86_64-w64-mingw32-objdump -p "$exe")
    wide=$(for dll in $(printf '%s\n' "$imports" | awk '/DLL Name:/ {print tolower($3)}'); do
        [ -f "$lib/lib${dll%.dll}.a" ] && x86_64-w64-mingw32-nm "$lib/lib${dll%.dll}.a" 2>/dev/null
    done | awk '$2 == "T" {print $3}' | sort -u)
    for name in $(printf '%s\n' "$imports" | grep -oE '^\s+[0-9a-f]+\s+[0-9]+\s+[A-Za-z_0-9]+A$' | awk '{print $3}'); do
        case "$allowed" in *" $name "*) continue ;; esac
        if printf '%s\n' "$wide" | grep -qx "${name%A}W"; then
            bad="$bad $name"
        fi
    done
    if [ -n "$bad" ]; then
        log "$(basename "$exe") imports ANSI functions that have wide ones:$bad"
        return 1
    fi
}
