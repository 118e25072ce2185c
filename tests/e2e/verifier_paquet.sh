#!/usr/bin/env bash
# verifier_paquet.sh BUILD CAPTURES: builds the Debian package of BUILD with CPack, installs it,
# runs the installed program as a user who cannot write /usr/lib/kinolux (nobody), makes it save
# its catalogue (the panel's question on closing, answered "Oui" with the keyboard) and checks
# that the catalogue lands in that user's data folder, filled from the delivered files, and that
# nothing is written beside the program. The package is removed afterwards.
# Runs under xvfb-run; exit 77 (skipped) when not root.
set -euo pipefail

build=$1
captures=$2

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIPPED: installing a package needs root (CI runs as root)"
    exit 77
fi
for outil in cpack dpkg dpkg-deb setpriv openbox xdotool xwininfo xprop import xmllint; do
    command -v "$outil" > /dev/null || { echo "missing tool: $outil (scripts/dependances)"; exit 1; }
done

# One installation at a time on this machine, whichever build folder asks.
exec 9> /tmp/kinolux-paquet.lock
flock -w 1200 9
if dpkg-query -W -f='${Status}' kinolux 2> /dev/null | grep -q 'install ok installed'; then
    echo "SKIPPED: a kinolux package is already installed on this machine; it is left alone"
    exit 77
fi

travail=$(mktemp -d)
chmod 755 "$travail"
installe=0
pids=()
nettoyer() {
    for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    if [ "$installe" = 1 ]; then dpkg --purge kinolux > /dev/null || true; fi
    rm -rf "$travail"
}
trap nettoyer EXIT

echec() {
    echo "FAILED: $*"
    import -window root "$captures/paquet-echec.png" 2> /dev/null || true
    [ -f "$travail/kinolux.log" ] && { echo "--- kinolux ---"; cat "$travail/kinolux.log"; }
    exit 1
}

# Polls a command for up to $1 seconds.
attendre() {
    local delai=$1
    shift
    local fin=$((SECONDS + delai))
    until "$@"; do
        [ $SECONDS -lt $fin ] || return 1
        sleep 0.2
    done
}
fenetre() { xdotool search --onlyvisible --name "^$1\$" 2> /dev/null | head -n 1; }
visible() { [ -n "$(fenetre "$1")" ]; }
absente() { [ -z "$(fenetre "$1")" ]; }

mkdir -p "$captures"

# --- The package.
(cd "$build" && cpack -G DEB -B "$travail/paquet" > "$travail/cpack.log") ||
    { cat "$travail/cpack.log"; echec "cpack"; }
paquet=$(ls "$travail"/paquet/kinolux_*.deb)
controle=$(dpkg-deb -f "$paquet")
for dependance in libqt6widgets6 libqt6gui6 libqt6core6 libpugixml1v5 libcurl3-gnutls libjpeg62-turbo libzip4 \
    qt6-qpa-plugins; do
    grep -q "^Depends:.*\b$dependance\b" <<< "$controle" || echec "the package does not depend on $dependance"
done
contenu=$(dpkg-deb -c "$paquet")
for chemin in ./usr/lib/kinolux/kinolux ./usr/lib/kinolux/baseFilmModele.bdf \
    ./usr/lib/kinolux/movies.txt ./usr/lib/kinolux/IMAGES_FILMS/SANSIMAGE.jpg \
    ./usr/lib/kinolux/icones/super.ico ./usr/share/applications/kinolux.desktop \
    ./usr/share/icons/hicolor/48x48/apps/kinolux.png \
    "./usr/bin/kinolux -> ../lib/kinolux/kinolux"; do
    grep -qF "$chemin" <<< "$contenu" || echec "the package lacks $chemin"
done
if grep -qF -e coversite -e /baseFilm.bdf <<< "$contenu"; then echec "the package carries test files"; fi

# --- Installed on this Debian system.
dpkg -i "$paquet" > "$travail/dpkg.log" 2>&1 || { cat "$travail/dpkg.log"; echec "dpkg -i"; }
installe=1
[ "$(readlink -f /usr/bin/kinolux)" = /usr/lib/kinolux/kinolux ] || echec "/usr/bin/kinolux"
grep -qx "Exec=kinolux" /usr/share/applications/kinolux.desktop || echec "the menu entry"
if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate /usr/share/applications/kinolux.desktop || echec "desktop-file-validate"
fi
avant=$(find /usr/lib/kinolux -printf '%p %s %m %T@\n' | sort)

# --- The installed program, run by a user without write access to its folder.
utilisateur=65534 # nobody
comme() { setpriv --reuid="$utilisateur" --regid="$utilisateur" --clear-groups -- "$@"; }
if comme test -w /usr/lib/kinolux; then echec "$utilisateur can write /usr/lib/kinolux"; fi
mkdir -p "$travail/maison" "$travail/donnees"
chown "$utilisateur" "$travail/maison" "$travail/donnees"
# The display's key, readable by that user.
cp "${XAUTHORITY:?}" "$travail/xauthority"
chown "$utilisateur" "$travail/xauthority"

# A sanitizer build names its suppressions file, which that user may not be able to reach.
if [[ "${LSAN_OPTIONS:-}" =~ suppressions=([^:]*) ]]; then
    install -m 644 "${BASH_REMATCH[1]}" "$travail/lsan.supp"
    export LSAN_OPTIONS=${LSAN_OPTIONS/"${BASH_REMATCH[0]}"/suppressions=$travail/lsan.supp}
fi

HOME="$travail" openbox --sm-disable > /dev/null 2>&1 &
pids+=($!)
attendre 30 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    echec "no window manager"

cd "$travail"
comme env HOME="$travail/maison" XDG_DATA_HOME="$travail/donnees" \
    XAUTHORITY="$travail/xauthority" DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb \
    kinolux > "$travail/kinolux.log" 2>&1 &
programme=$!
pids+=("$programme")

# The panel counts down and opens the catalogue window; closing it brings the panel back,
# which counts down again and asks whether to save.
attendre 60 visible "Orvandel Kinolux  2007" || echec "no control panel"
import -window root "$captures/paquet-panneau.png"
attendre 60 visible "Kinolux" || echec "no catalogue window"
attendre 60 absente "Orvandel Kinolux  2007" || echec "the panel stays"
import -window root "$captures/paquet-catalogue.png"
xdotool windowactivate --sync "$(fenetre Kinolux)" key --clearmodifiers alt+F4
attendre 60 visible "Kinolux - Sauvegarde des modifications" || echec "no question on closing"
import -window root "$captures/paquet-question.png"
xdotool windowactivate --sync "$(fenetre "Kinolux - Sauvegarde des modifications")" \
    key --clearmodifiers alt+o
attendre 60 sh -c "! kill -0 $programme 2> /dev/null" || echec "the program does not end"
wait "$programme" || echec "the program ended with status $?"

# --- Where the files went.
personnel="$travail/donnees/kinolux"
[ -f "$personnel/baseFilm.bdf" ] || echec "no catalogue in $personnel"
xmllint --noout "$personnel/baseFilm.bdf" || echec "the saved catalogue is not XML"
grep -q "<listeFichesFilms" "$personnel/baseFilm.bdf" || echec "the saved catalogue has no card list"
[ "$(stat -c %u "$personnel/baseFilm.bdf")" = "$utilisateur" ] || echec "the catalogue's owner"
for fichier in baseFilmModele.bdf movies.txt IMAGES_FILMS/SANSIMAGE.jpg icones/super.ico; do
    cmp -s "/usr/lib/kinolux/$fichier" "$personnel/$fichier" || echec "$fichier not copied"
done
if [ -e "$personnel/kinolux" ]; then echec "the program was copied"; fi
apres=$(find /usr/lib/kinolux -printf '%p %s %m %T@\n' | sort)
[ "$avant" = "$apres" ] || echec "something was written in /usr/lib/kinolux: $(diff <(echo "$avant") <(echo "$apres"))"

# --- Removed, it leaves nothing.
dpkg --purge kinolux > "$travail/dpkg.log" 2>&1 || { cat "$travail/dpkg.log"; echec "dpkg --purge"; }
installe=0
for chemin in /usr/lib/kinolux /usr/bin/kinolux /usr/share/applications/kinolux.desktop \
    /usr/share/icons/hicolor/48x48/apps/kinolux.png; do
    if [ -e "$chemin" ]; then echec "$chemin stays after removal"; fi
done
echo "package installed, used by uid $utilisateur (catalogue in its data folder) and removed"
