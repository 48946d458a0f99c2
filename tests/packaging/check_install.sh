#!/usr/bin/env bash
# Installs a build under a temporary root as the package does and checks the
# installation: its layout, that the programs in bin/ find the plug-in's
# folder and write nothing there, the desktop entry, the AppStream data, the
# icons and the configuration files' MIME type.
set -uo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# The checks read English output, whatever the desktop speaks.
export PROVANA_LANGUAGE=en

DESTDIR=$root cmake --install "$build" --prefix /usr >"$root/install.log" 2>&1 ||
    fail "cmake --install: $(tail -5 "$root/install.log")"
usr=$root/usr
for file in bin/orvenet bin/orvenet-server bin/orvenet-phone bin/provana \
    lib/provana/Provix.so lib/provana/ProvixLang.so lib/provana/help/index.html \
    lib/provana/lang/de/ProvixLang.so lib/provana/lang/fr/help/index.html \
    "lib/provana/Configuration Files/Example.xml" \
    share/applications/org.provana.Provana.desktop share/metainfo/org.provana.Provana.metainfo.xml \
    share/mime/packages/provana.xml share/icons/hicolor/scalable/apps/provana.svg \
    share/man/man1/provana.1.gz share/man/man1/orvenet.1.gz share/man/man1/orvenet-phone.1.gz \
    share/man/man1/orvenet-server.1.gz \
    share/bash-completion/completions/provana share/doc/provana/copyright; do
    [ -s "$usr/$file" ] || fail "the installation lacks $file"
done
for size in 16 32 48 64 128; do
    icon=$usr/share/icons/hicolor/${size}x$size/apps/provana.png
    # A PNG's width and height are the big-endian words at 16 and 20.
    [ "$(od -An -tu1 -j16 -N8 "$icon" 2>/dev/null | tr -s ' ')" = " 0 0 0 $size 0 0 0 $size" ] ||
        fail "$icon is not $size pixels square"
done

# From bin/, with no build folder in reach, the programs find the plug-in's
# folder; standard error carries their own messages only, also without a
# runtime folder.
work=$root/work
mkdir -p "$work" && cd "$work" || exit 1
export HOME=$work TALVIK_REGISTRY=$work/registry
before=$(find "$usr/lib/provana" | sort)
env -u XDG_RUNTIME_DIR "$usr/bin/provana" new a.xml 2>err || fail "provana new: $(cat err)"
env -u XDG_RUNTIME_DIR "$usr/bin/provana" print a.xml --pdf a.pdf --range all 2>err
[ -s a.pdf ] && [ ! -s err ] || fail "provana print wrote to standard error: $(cat err)"
"$usr/bin/provana" show "$usr/lib/provana/Configuration Files/Example.xml" >out 2>err ||
    fail "the shipped example does not open: $(cat err)"
grep -qF 'Phone number: *99#' out || fail "the shipped example lacks its access point"
[ "$(find "$usr/lib/provana" | sort)" = "$before" ] || fail "something was written to lib/provana"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$usr/share/applications/org.provana.Provana.desktop" ||
        fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$usr/share/metainfo/org.provana.Provana.metainfo.xml" \
        >out 2>&1 || fail "appstreamcli validate: $(cat out)"
fi

# The type is told by content: a configuration under any name; an XML file
# named .xml stays XML, and so does another UTF-16 XML file.
if command -v update-mime-database >/dev/null && command -v mimetype >/dev/null; then
    mkdir -p data/mime/packages
    cp "$usr/share/mime/packages/provana.xml" data/mime/packages/
    update-mime-database data/mime >/dev/null 2>&1 || fail "update-mime-database"
    cp a.xml a.dat
    printf '<?xml version="1.0"?>\n<Settings/>\n' >plain.xml
    printf '\xff\xfe<\0?\0x\0m\0l\0>\0\r\0\n\0<\0!\0-\0-\0 \0x\0 \0-\0-\0>\0' >other.xml
    for case in a.xml:application/x-provana-configuration a.dat:application/x-provana-configuration \
        plain.xml:application/xml other.xml:application/xml; do
        file=${case%%:*} want=${case#*:}
        got=$(XDG_DATA_HOME=$work/data XDG_DATA_DIRS=/usr/share mimetype -b "$file")
        [ "$got" = "$want" ] || fail "$file is $got, not $want"
    done
    grep -qx 'MimeType=application/x-provana-configuration;' \
        "$usr/share/applications/org.provana.Provana.desktop" || fail "the desktop entry lacks the type"
fi
