#!/usr/bin/env bash
# provana print as a user runs it: the listing's lines and a PDF, without a
# display, on files the tool writes itself.
set -u
provana=$1
source "$(dirname "${BASH_SOURCE[0]}")/../cli/cli_helpers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="$work"
# The listing speaks the chosen language; these checks read English.
export PROVANA_LANGUAGE=en

expect 0 print --help
contains out "Usage: provana print FILE --pdf OUT"

expect 0 new a.xml
# Nothing is included in a new configuration.
expect 1 print a.xml --lines
contains err "has no settings to print"
expect 1 print a.xml --pdf empty.pdf
[ ! -e empty.pdf ] || fail "an empty listing wrote a PDF"

expect 0 add a.xml IAPSettings Office
expect 0 set a.xml 'IAPSettings/IAPConnection[Office]/PromptPassword' No
expect 0 set a.xml 'IAPSettings/IAPConnection[Office]/Password' 'Se3cret!'
expect 0 set a.xml 'IAPSettings/IAPConnection[Office]/PhoneNumber' '0123 456'

# One listing line per output line: label runs indented by depth (the unit is
# 165 at 600 dpi), values at the value column.
expect 0 print a.xml --lines
contains out "b000330Internet access points"
contains out "b000495Office"
contains out "n000660Phone numbern0029700123 456"
contains out "n000660Passwordn002970********"
lacks out "Se3cret!"
lacks out "New access point"
lacks out "E-mail settings"
included=$(wc -l <out)
expect 0 print a.xml --lines --range all
contains out "b000330E-mail settings"
lacks out "Se3cret!"
[ "$(wc -l <out)" -gt "$included" ] || fail "all settings print no more than the included ones"

expect 0 print a.xml --pdf a.pdf --range all
[ "$(head -c 5 a.pdf)" = "%PDF-" ] || fail "not a PDF"
pages=$(grep -ac '/Type /Page$' a.pdf)
[ "$pages" -ge 2 ] || fail "the whole configuration on $pages pages"
if command -v pdftotext >/dev/null; then
    pdftotext a.pdf a.txt
    contains a.txt "Internet access points"
    contains a.txt "Page 1 of $pages"
    contains a.txt "a.xml"
    lacks a.txt "Se3cret!"
fi

# Paper and date follow the chosen language, not the desktop's locale.
LANGUAGE= LC_ALL= LANG=en_US.UTF-8 PROVANA_LANGUAGE=de expect 0 print a.xml --pdf de.pdf
grep -aq '/MediaBox \[0 0 595' de.pdf || fail "German listing not on A4"
LANGUAGE= LC_ALL= LANG=en_US.UTF-8 PROVANA_LANGUAGE= expect 0 print a.xml --pdf us.pdf
grep -aq '/MediaBox \[0 0 612' us.pdf || fail "American listing not on Letter"
if command -v pdftotext >/dev/null; then
    pdftotext de.pdf de.txt
    contains de.txt "Internet-Zugangspunkte"
    contains de.txt "Seite 1 von"
    grep -Eq "(Montag|Dienstag|Mittwoch|Donnerstag|Freitag|Samstag|Sonntag), [0-9]+\. " de.txt ||
        fail "no German date: $(cat de.txt)"
fi

expect 2 print a.xml --lines --range some
contains err '"some" is neither all nor included'
expect 2 print a.xml --lines --pdf b.pdf
expect 2 print a.xml
expect 3 print a.xml --pdf "$work/missing/folder/a.pdf"
expect 3 print missing.xml --lines
exit 0
