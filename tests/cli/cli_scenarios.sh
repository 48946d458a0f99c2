#!/usr/bin/env bash
# Scenarios of the provana tool: each runs the program on real files and
# checks its output, files and exit status.
set -u
provana=$1
scenario=$2
source "$(dirname "${BASH_SOURCE[0]}")/cli_helpers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# The tool speaks the desktop's language; the scenarios read English.
export PROVANA_LANGUAGE=en

case $scenario in
version)
    expect 0 --version
    [ "$(cat out)" = "provana 1.03 (0.1.0.3)" ] || fail "version: $(cat out)"
    ;;
help)
    expect 0 --help
    contains out "Usage: provana COMMAND"
    for command in new convert check show diff get set add include text folders files; do
        expect 0 "$command" --help
        contains out "Usage: provana $command"
    done
    ;;
usage)
    expect 2
    expect 2 frobnicate
    contains err 'unknown command "frobnicate"'
    expect 2 get only-one-argument
    expect 2 show a b c
    ;;
new_show)
    expect 0 new a.xml
    [ "$(head -c 2 a.xml | od -An -tx1 | tr -d ' ')" = "fffe" ] || fail "no byte order mark"
    expect 0 show a.xml
    contains out "[ ] Internet access points"
    contains out "  [ ] New access point"
    lacks out "BIO messages"
    expect 0 show a.xml --all
    contains out "[ ] BIO messages"
    ;;
add_get_set)
    expect 0 new a.xml
    expect 0 add a.xml IAPSettings Office
    expect 0 add a.xml IAPSettings Home
    expect 0 set a.xml 'IAPSettings/IAPConnection[Office]/PhoneNumber' '0123 456'
    expect 0 get a.xml 'IAPSettings/IAPConnection[1]/PhoneNumber'
    [ "$(cat out)" = "0123 456" ] || fail "get: $(cat out)"
    # The password does not apply while the phone asks for it.
    expect 1 set a.xml 'IAPSettings/IAPConnection[Home]/Password' 'p<&>ss'
    contains err '"Password" does not apply'
    expect 0 set a.xml 'IAPSettings/IAPConnection[Home]/PromptPassword' 'No'
    expect 0 set a.xml 'IAPSettings/IAPConnection[Home]/Password' 'p<&>ss'
    expect 0 get a.xml 'IAPSettings/IAPConnection[2]/Password'
    [ "$(cat out)" = "p<&>ss" ] || fail "password: $(cat out)"
    expect 0 show a.xml
    contains out "Password: ********"
    contains out "Maximum message size: 10 kB"
    expect 0 add a.xml EMailSettings Mail
    expect 0 add a.xml WAPSettings Portal
    expect 0 add a.xml SMSSettings Centre
    expect 0 get a.xml 'WAPSettings/WAPConnection[Portal]/UseConnection'
    [ "$(cat out)" = "Home" ] || fail "WAP connection should use the last access point: $(cat out)"
    ;;
set_rules)
    # The command line refuses, limits and includes as the in-place editors do.
    expect 0 new a.xml
    expect 0 add a.xml IAPSettings Office
    expect 0 add a.xml EMailSettings Work
    cp a.xml before.xml
    expect 1 set a.xml 'EMailSettings/Mailbox[Work]/EMailAddress' 'not an address'
    contains err 'The value you typed is not valid.'
    expect 1 set a.xml 'IAPSettings/IAPConnection[Office]/DataCall/ConnectionType' Bogus
    contains err '"Bogus" is not one of the choices'
    expect 1 set a.xml 'PersonalData/DefaultVoiceMailbox' 5
    cmp -s a.xml before.xml || fail "a refused value rewrote the file"
    expect 0 set a.xml 'IAPSettings/IAPConnection[Office]/DataCall/ConnectionType' 'High speed'
    expect 0 get a.xml 'IAPSettings/IAPConnection[Office]/DataCall/ConnectionType'
    [ "$(cat out)" = "HighSpeed" ] || fail "choice by its shown text: $(cat out)"
    expect 0 set a.xml 'IAPSettings/IAPConnection[Office]/Proxies/HTTPUseProxy' Yes
    expect 0 set a.xml 'IAPSettings/IAPConnection[Office]/Proxies/HTTPPortNumber' 70000
    expect 0 get a.xml 'IAPSettings/IAPConnection[Office]/Proxies/HTTPPortNumber'
    [ "$(cat out)" = "65535" ] || fail "port limit: $(cat out)"
    expect 0 set a.xml 'EMailSettings/Mailbox[Work]/RetrieveMail/MessageMaxSize' 0
    expect 0 get a.xml 'EMailSettings/Mailbox[Work]/RetrieveMail/MessageMaxSize'
    [ "$(cat out)" = "1" ] || fail "message size limit: $(cat out)"
    expect 0 set a.xml 'EMailSettings/Mailbox[Work]/EMailAddress' 'ann@example.com'
    expect 0 show a.xml
    contains out "[x] E-mail address: ann@example.com"
    contains out "[x] HTTP proxy port: 65535"
    expect 0 set a.xml 'IAPSettings/IAPConnection[Office]/AddressOptions/RetrieveIP' No
    expect 0 set a.xml 'IAPSettings/IAPConnection[Office]/AddressOptions/IPAddress' '192.168.1.300'
    expect 0 get a.xml 'IAPSettings/IAPConnection[Office]/AddressOptions/IPAddress'
    [ "$(cat out)" = "192.168.1.254" ] || fail "address field limit: $(cat out)"
    expect 1 set a.xml 'IAPSettings/IAPConnection[Office]/AddressOptions/IPAddress' '192.168.1'
    ;;
set_limits)
    # A value cut to fit its field is stored with a warning, and opening the
    # file again keeps it.
    expect 0 new a.xml
    expect 0 add a.xml IAPSettings Office
    expect 0 add a.xml EMailSettings Work
    expect 0 set a.xml 'IAPSettings/IAPConnection[Office]/ScriptOptions/UseLoginScript' Yes
    expect 0 set a.xml 'IAPSettings/IAPConnection[Office]/ScriptOptions/Script' "$(head -c 12000 /dev/zero | tr '\0' s)"
    contains err 'provana set: IAPSettings/IAPConnection[Office]/ScriptOptions/Script holds at most 10000 characters'
    expect 0 check a.xml
    expect 0 get a.xml 'IAPSettings/IAPConnection[Office]/ScriptOptions/Script'
    [ "$(tr -d '\n' <out | wc -c)" -eq 10000 ] || fail "script: $(wc -c <out) characters"
    expect 0 set a.xml 'EMailSettings/Mailbox[Work]/Advanced/IncludeSignature' Custom
    expect 0 set a.xml 'EMailSettings/Mailbox[Work]/Advanced/Signature' "$(head -c 600 /dev/zero | tr '\0' g)"
    contains err 'holds at most 500 characters'
    expect 0 check a.xml
    expect 0 get a.xml 'EMailSettings/Mailbox[Work]/Advanced/Signature'
    [ "$(tr -d '\n' <out | wc -c)" -eq 500 ] || fail "signature: $(wc -c <out) characters"
    expect 0 set a.xml 'IAPSettings/IAPConnection[Office]/Username' alice
    [ ! -s err ] || fail "a value that fits was warned about: $(cat err)"
    # A name given to add is cut the same way, and the item takes it.
    long=$(head -c 80 /dev/zero | tr '\0' n)
    expect 0 add a.xml IAPSettings "$long"
    contains err "provana add: IAPSettings/IAPConnection[${long:0:50}]/ConnectionName holds at most 50 characters"
    expect 0 get a.xml "IAPSettings/IAPConnection[${long:0:50}]/ConnectionName"
    ;;
refusals)
    expect 0 new a.xml
    expect 0 add a.xml IAPSettings Office
    cp a.xml before.xml
    expect 1 add a.xml IAPSettings Office
    contains err 'already used'
    expect 1 add a.xml IAPSettings ''
    expect 1 set a.xml PersonalData/WWWBookmarks x
    cmp -s a.xml before.xml || fail "a refused change rewrote the file"
    expect 2 add a.xml PersonalData Bob
    expect 2 set a.xml IAPSettings/NoSuchThing x
    contains err 'no setting matches'
    ;;
check)
    expect 0 new a.xml
    expect 0 check a.xml
    expect 0 check a.xml --sending
    expect 0 add a.xml IAPSettings Office
    expect 0 set a.xml 'IAPSettings/IAPConnection[Office]/PhoneNumber' '0123'
    expect 0 add a.xml EMailSettings Mail
    # A hand-edited file: a value that is not among its choices, and an
    # included mailbox without its e-mail address.
    "$provana" text a.xml | sed 's|<RemoteModemType>Analog<|<RemoteModemType>Bogus<|' \
        | sed 's|<EMailSettings>|<EMailSettings op="create">|; s|<Mailbox>|<Mailbox op="create">|' \
        >edited.txt
    iconv -f UTF-8 -t UTF-16 edited.txt >edited.xml 2>/dev/null || fail "iconv"
    expect 1 check edited.xml
    contains out "IAPSettings/IAPConnection[Office]/DataCall/RemoteModemType: Bogus -> Analog"
    expect 1 check edited.xml --sending
    contains err 'The setting "E-mail address" of "Mail" is not valid:'
    contains err 'It needs a value.'
    lacks out "->"
    expect 1 check edited.xml --sending --all
    contains out 'EMailSettings/Mailbox[Mail]/EMailAddress: The setting "E-mail address" of "Mail" is not valid:'
    contains out 'EMailSettings/Mailbox[Mail]/Servers/InServer: The setting "Incoming mail server"'
    [ "$(wc -l <out)" -eq 3 ] || fail "--all: $(cat out)"
    expect 2 check edited.xml --all
    expect 0 new valid.xml
    expect 0 check valid.xml --sending --all
    [ ! -s out ] || fail "a valid file: $(cat out)"
    ;;
diff)
    expect 0 new a.xml
    expect 0 add a.xml IAPSettings Office
    expect 0 add a.xml IAPSettings Home
    expect 0 set a.xml 'IAPSettings/IAPConnection[Office]/PhoneNumber' '0123'
    expect 0 add a.xml EMailSettings Work
    cp a.xml b.xml
    expect 0 diff a.xml b.xml
    [ ! -s out ] || fail "same files differ: $(cat out)"
    expect 0 set b.xml 'IAPSettings/IAPConnection[Office]/PhoneNumber' '0456'
    expect 0 set b.xml 'EMailSettings/Mailbox[Work]/Password' 'secret'
    expect 0 add b.xml IAPSettings Travel
    expect 1 diff a.xml b.xml
    [ "$(cat out)" = "IAPSettings/IAPConnection[Office]/PhoneNumber: 0123 -> 0456
+ IAPSettings/IAPConnection[Travel]
EMailSettings/Mailbox[Work]/Password:  -> ********
EMailSettings/Mailbox[Work]/Password: excluded -> included" ] || fail "diff: $(cat out)"
    lacks out secret
    expect 1 diff b.xml a.xml
    contains out "- IAPSettings/IAPConnection[Travel]"
    expect 0 diff a.xml b.xml --all --help
    expect 2 diff a.xml
    expect 3 diff a.xml missing.xml
    # Against its own converted form a file differs in what opening
    # corrects, the settings provana check lists.
    "$provana" text a.xml | sed 's|<RemoteModemType>Analog<|<RemoteModemType>Bogus<|' \
        | sed 's|<PhoneNumber>0123<|<PhoneNumber>01x3<|' >edited.txt
    iconv -f UTF-8 -t UTF-16 edited.txt >edited.xml 2>/dev/null || fail "iconv"
    expect 0 convert edited.xml converted.xml
    expect 1 check edited.xml
    sed 's/: .*//' out | sort -u >checked
    [ "$(wc -l <checked)" -ge 2 ] || fail "check found too little: $(cat out)"
    expect 1 diff edited.xml converted.xml
    contains out "IAPSettings/IAPConnection[Office]/DataCall/RemoteModemType: Bogus -> Analog"
    sed 's/: .*//' out | sort -u >differing
    diff checked differing >/dev/null || fail "diff and check disagree: $(cat out) / $(cat checked)"
    expect 0 diff converted.xml converted.xml
    ;;
posix_paths)
    # Files to copy hold PC paths of this platform; only the phone folder is
    # an EPOC path, where "/" is refused.
    expect 0 new a.xml
    "$provana" text a.xml \
        | sed 's|<RingingTones></RingingTones>|<RingingTones op="create"><RingingTone op="create">/home/ann/tones/ring 1.wav</RingingTone></RingingTones>|' \
        | sed 's|<Files></Files>|<Files op="create"><File op="create"><Local>/home/ann/notes.txt</Local><Remote>C:\\Documents\\</Remote></File><File op="create"><Local>/tmp/x</Local><Remote>C:/Documents/</Remote></File></Files>|' \
        >paths.txt
    iconv -f UTF-8 -t UTF-16 paths.txt >paths.xml 2>/dev/null || fail "iconv"
    expect 1 check paths.xml
    contains out "FileTransfer/Files/File[2]/Remote: C:/Documents/ -> "
    lacks out "ring 1.wav"
    lacks out "notes.txt"
    expect 0 convert paths.xml b.xml
    expect 0 text b.xml
    contains out "/home/ann/tones/ring 1.wav"
    contains out "<Local>/home/ann/notes.txt</Local>"
    ;;
files)
    expect 0 new a.xml
    touch tone.wav "my pic.jpg"
    expect 0 files a.xml --add RingingTones tone.wav "my pic.jpg" tone.wav
    contains out "RingingTones: 2 added, 1 already listed."
    expect 0 files a.xml --add Files tone.wav 'C:\Documents'
    contains out "Files: 1 added, 0 already listed."
    expect 0 files a.xml --add Files tone.wav 'c:\documents\'
    contains out "Files: 0 added, 1 already listed."
    cp a.xml before.xml
    expect 1 files a.xml --add Files tone.wav 'Documents'
    contains err "must start with a drive letter"
    expect 1 files a.xml --add SISFiles missing.sis
    contains err '"missing.sis" is not a file'
    expect 2 files a.xml --remove RingingTones 3
    expect 2 files a.xml --add PersonalData tone.wav
    cmp -s a.xml before.xml || fail "a refused change rewrote the file"
    expect 0 files a.xml
    [ "$(sed -n 1p out)" = "RingingTones	$PWD/tone.wav" ] || fail "files: $(cat out)"
    [ "$(sed -n 3p out)" = "Files	$PWD/tone.wav	"'C:\Documents\' ] || fail "files: $(cat out)"
    expect 0 show a.xml
    contains out "[x] Ringing tones: 2 files"
    expect 0 files a.xml --remove RingingTones 1
    expect 0 files a.xml --remove RingingTones 1
    expect 0 show a.xml
    contains out "[ ] Ringing tones: No files"
    contains out "[x] File transfer"
    ;;
convert)
    expect 0 new a.xml
    expect 0 add a.xml IAPSettings Office
    expect 0 convert a.xml b.xml
    cmp -s <("$provana" text a.xml | grep -v Password) <("$provana" text b.xml | grep -v Password) \
        || fail "convert changed the configuration"
    expect 3 convert missing.xml c.xml
    [ ! -e c.xml ] || fail "convert wrote output for a missing input"
    ;;
text)
    expect 0 new a.xml
    expect 0 text a.xml
    [ "$(head -1 out)" = '<?xml version="1.0" encoding="UTF-16"?>' ] || fail "text: $(head -1 out)"
    lacks out $'\r'
    [ "$(tail -1 out)" = "</Settings>" ] || fail "last line"
    ;;
folders)
    expect 0 folders
    [ "$(head -1 out)" = 'C:\Documents\' ] || fail "folders: $(cat out)"
    [ "$(wc -l <out)" -eq 5 ] || fail "five folders"
    expect 0 folders 3
    [ "$(sed -n 2p out)" = 'C:\Dokumente\Heruntergeladen\' ] || fail "German: $(cat out)"
    [ "$(sed -n 5p out)" = 'D:\Dokumente\' ] || fail "German D: $(cat out)"
    expect 2 folders German
    ;;
languages)
    expect 0 new a.xml
    PROVANA_LANGUAGE= LANGUAGE= LC_ALL= LC_MESSAGES= LANG=de_DE.UTF-8 expect 0 --help
    contains out "Aufruf: provana BEFEHL"
    PROVANA_LANGUAGE= LANGUAGE=es:fr LANG=de_DE.UTF-8 expect 0 show a.xml
    contains out "[ ] Points d'accès Internet"
    PROVANA_LANGUAGE=de expect 0 add a.xml IAPSettings Büro
    PROVANA_LANGUAGE=de expect 0 set a.xml 'IAPSettings/IAPConnection[Büro]/PhoneNumber' '0123'
    PROVANA_LANGUAGE= LANGUAGE= LC_ALL=fr_FR.UTF-8 expect 0 get a.xml 'IAPSettings/IAPConnection[1]/PhoneNumber'
    [ "$(cat out)" = "0123" ] || fail "paths in French: $(cat out)"
    PROVANA_LANGUAGE=de LANG=fr_FR.UTF-8 expect 0 folders
    [ "$(sed -n 4p out)" = 'C:\Dokumente\Töne\' ] || fail "German folders: $(cat out)"
    PROVANA_LANGUAGE=fr expect 2 frobnicate
    contains err "commande inconnue « frobnicate »"
    PROVANA_LANGUAGE= LANGUAGE= LC_ALL= LC_MESSAGES= LANG=ja_JP.UTF-8 expect 0 folders
    [ "$(head -1 out)" = 'C:\Documents\' ] || fail "English folders: $(cat out)"
    ;;
bad_files)
    expect 3 show missing.xml
    contains err "could not be read"
    printf 'not a configuration' >junk.xml
    expect 3 show junk.xml
    contains err "not a configuration file"
    printf '\xff\xfe' >bom.xml
    expect 3 get bom.xml IAPSettings
    expect 3 new no/such/folder/a.xml
    contains err "could not be saved"
    # A file cut short is damaged, and no command writes over it.
    expect 0 new whole.xml
    head -c 1000 whole.xml >cut.xml
    cp cut.xml cut-before.xml
    expect 3 show cut.xml
    contains err "The file ends before the configuration does: line"
    expect 3 set cut.xml 'IAPSettings/IAPTemplate/Username' bob
    cmp -s cut.xml cut-before.xml || fail "a damaged file was written"
    ;;
paths)
    expect 0 new a.xml
    expect 0 add a.xml IAPSettings 'My/Office'
    expect 0 set a.xml 'IAPSettings/IAPConnection[My/Office]/Username' alice
    expect 0 get a.xml 'IAPSettings/IAPConnection[1]/Username'
    [ "$(cat out)" = "alice" ] || fail "slash in a name: $(cat out)"
    expect 2 get a.xml 'IAPSettings/IAPConnection[2]/Username'
    expect 2 get a.xml 'IAPSettings/IAPConnection[My/Office'
    ;;
include)
    expect 0 new a.xml
    expect 0 add a.xml IAPSettings Office
    office='IAPSettings/IAPConnection[Office]'
    expect 0 include a.xml "$office/Username" on
    expect 0 show a.xml
    contains out "[x] Internet access points"
    contains out "  [x] Office"
    contains out "    [x] Connection name: Office"
    contains out "    [x] User name"
    contains out "    [ ] Address options"
    expect 0 text a.xml
    contains out '<IAPConnection op="create">'
    # Excluding the last included setting of the access point empties the chain.
    expect 0 include a.xml "$office" off
    expect 0 show a.xml
    contains out "[ ] Internet access points"
    lacks out "[x]"
    expect 0 include a.xml "$office" on
    expect 0 include a.xml "$office" on
    cp a.xml before.xml
    expect 1 include a.xml "$office/ConnectionName" off
    contains err '"Connection name" is mandatory while "Office" is included'
    expect 1 include a.xml "$office/AddressOptions/IPAddress" on
    contains err "does not apply"
    expect 1 include a.xml PersonalData/WWWBookmarks on
    contains err "empty list"
    cmp -s a.xml before.xml || fail "a refused change rewrote the file"
    expect 2 include a.xml "$office" maybe
    contains err '"maybe" is neither on nor off'
    expect 2 include a.xml IAPSettings/NoSuchThing on
    ;;
bookmarks)
    expect 0 bookmarks --help
    contains out "Usage: provana bookmarks"
    expect 0 new a.xml
    # WWW bookmarks need an access point.
    expect 1 bookmarks a.xml --import missing.html
    contains err '"WWW bookmarks" does not apply'
    expect 0 add a.xml IAPSettings Office
    printf '%s\r\n' '<!DOCTYPE NETSCAPE-Bookmark-file-1>' '<DL><p>' \
        '<DT><H3>Folder</H3>' '<DL><p>' \
        '<DT><A HREF="http://news.example/?a=1&amp;b=2" ADD_DATE="1">News &amp; Weather</A>' \
        '</DL><p>' '<dt><a href="https://mail.example/">Mail</a>' \
        '<DT><A HREF="no host/">Broken</A>' '</DL>' >export.html
    expect 0 bookmarks a.xml --import export.html
    [ "$(cat out)" = "2 bookmarks added, 1 skipped." ] || fail "import: $(cat out)"
    expect 0 bookmarks a.xml
    [ "$(cat out)" = "$(printf 'News & Weather\thttp://news.example/?a=1&b=2\nMail\thttps://mail.example/')" ] ||
        fail "list: $(cat out)"
    expect 0 show a.xml
    contains out "[x] WWW bookmarks: 2 bookmarks"
    # The same source again adds nothing and leaves the file as it was.
    cp a.xml before.xml
    expect 0 bookmarks a.xml --import export.html
    [ "$(cat out)" = "0 bookmarks added, 3 skipped." ] || fail "again: $(cat out)"
    cmp -s a.xml before.xml || fail "an import that added nothing rewrote the file"
    # Sources that cannot be read leave the file alone.
    expect 3 bookmarks a.xml --import missing.html
    contains err "The bookmark file could not be opened."
    expect 3 bookmarks a.xml --import favorites="$PWD/no such folder"
    contains err "no such folder"
    expect 3 bookmarks a.xml --import chromium="$PWD/export.html"
    contains err "Chromium or Google Chrome bookmarks were not found"
    TALVIK_REGISTRY="$PWD/registry" expect 3 bookmarks a.xml --import netscape
    contains err "Netscape Navigator bookmarks were not found"
    cmp -s a.xml before.xml || fail "a source that could not be read rewrote the file"
    # Favorites folder and Chromium profile.
    mkdir -p Favorites/Work
    printf '[InternetShortcut]\r\nURL=http://intranet.example/\r\n' >Favorites/Work/Intranet.url
    PROVANA_FAVORITES="$PWD/Favorites" expect 0 bookmarks a.xml --import favorites
    [ "$(cat out)" = "1 bookmarks added, 0 skipped." ] || fail "favorites: $(cat out)"
    printf '%s' '{"roots": {"bookmark_bar": {"type": "folder", "children": [' \
        '{"type": "url", "name": "Wiki", "url": "https://wiki.example/"}]}}}' >Bookmarks
    expect 0 bookmarks a.xml --import chromium="$PWD/Bookmarks"
    expect 0 bookmarks a.xml
    contains out "$(printf 'Intranet\thttp://intranet.example/')"
    contains out "$(printf 'Wiki\thttps://wiki.example/')"
    expect 0 bookmarks a.xml --wap
    [ -z "$(cat out)" ] || fail "WAP bookmarks: $(cat out)"
    expect 2 bookmarks a.xml --wap --import export.html
    expect 2 bookmarks a.xml --import
    expect 3 bookmarks missing.xml
    ;;
variants)
    expect 0 new t.xml
    expect 0 add t.xml IAPSettings Office
    expect 0 add t.xml EMailSettings Work
    mail='EMailSettings/Mailbox[Work]/EMailAddress'
    phone='IAPSettings/IAPConnection[Office]/PhoneNumber'
    # Quoted fields with separators, doubled quotes and a line break; a byte
    # order mark; a refused row among good ones; an empty cell changes nothing.
    printf '\xef\xbb\xbffile,%s,"%s"\r\nann,ann@example.com,"0123 456"\r\n"b,""o""b",not an address,1\r\ncid,c@example.com,\r\n"d\nd",,"0999"\r\n' \
        "$mail" "$phone" >t.csv
    expect 1 variants t.xml t.csv made
    contains err "row 2, $mail: The value you typed is not valid."
    [ "$(grep -c . err)" = 1 ] || fail "only the refused row is reported: $(cat err)"
    [ "$(ls -q made | wc -l)" = 3 ] || fail "three rows are written: $(ls made)"
    expect 0 get made/ann.xml "$mail"
    [ "$(cat out)" = "ann@example.com" ] || fail "ann: $(cat out)"
    expect 0 get made/ann.xml "$phone"
    [ "$(cat out)" = "0123 456" ] || fail "ann's phone: $(cat out)"
    expect 0 get made/cid.xml "$phone"
    [ -z "$(cat out)" ] || fail "an empty cell changed the template: $(cat out)"
    expect 0 get "made/d"$'\n'"d.xml" "$phone"
    [ "$(cat out)" = "0999" ] || fail "line break in a name: $(cat out)"
    expect 0 show made/ann.xml
    contains out "[x] E-mail address: ann@example.com"
    # Outputs are kept unless --force; --check adds the check before sending.
    cp made/ann.xml kept.xml
    printf 'file;%s\nann;new@example.com\n' "$mail" >semi.csv
    expect 1 variants t.xml semi.csv made
    contains err "row 1: made/ann.xml exists and was kept"
    cmp -s made/ann.xml kept.xml || fail "an existing output was replaced"
    expect 0 variants t.xml semi.csv made --force
    cmp -s made/ann.xml kept.xml && fail "--force kept the old output"
    expect 0 get made/ann.xml "$mail"
    [ "$(cat out)" = "new@example.com" ] || fail "semicolon table: $(cat out)"
    rm made/ann.xml
    expect 1 variants t.xml semi.csv made --force --check
    contains err "row 1, $phone: The setting \"Phone number\" of \"Office\" is not valid"
    [ ! -e made/ann.xml ] || fail "--check wrote a row that fails it"
    # Without a file column the rows are numbered, zero-padded; a .tsv table
    # is separated by tabs, whatever commas it holds.
    printf '%s\t%s\n' "$mail" "$phone" >numbered.tsv
    for row in a b c d e f g h i; do printf '%s@example.com\t\n' $row >>numbered.tsv; done
    printf 'j@example.com\t"0,1"\n' >>numbered.tsv
    expect 0 variants t.xml numbered.tsv numbered
    [ "$(ls numbered | head -1)" = 01.xml ] && [ "$(ls numbered | tail -1)" = 10.xml ] ||
        fail "numbered: $(ls numbered)"
    expect 0 get numbered/10.xml "$phone"
    [ "$(cat out)" = "01" ] || fail "row 10's phone: $(cat out)"
    expect 0 get numbered/10.xml "$mail"
    [ "$(cat out)" = "j@example.com" ] || fail "row 10: $(cat out)"
    # A header naming no setting stops before anything is written.
    printf 'file,%s,Nowhere/Setting\nx,x@example.com,1\n' "$mail" >bad.csv
    expect 2 variants t.xml bad.csv none
    contains err 'no setting matches the path "Nowhere/Setting"'
    [ ! -e none ] || fail "a bad header wrote something"
    printf 'file\n"../escape\n' >open.csv
    expect 3 variants t.xml open.csv none
    expect 3 variants missing.xml semi.csv none
    expect 3 variants t.xml missing.csv none
    printf 'file,%s\n../x,a@example.com\ny,a@example.com,extra\nz,z@example.com\nz,a@example.com\n' \
        "$mail" >names.csv
    expect 1 variants t.xml names.csv safe --force
    contains err 'row 1, file: "../x" cannot name a file'
    contains err 'row 2: the row has more cells than the header has columns.'
    contains err 'row 4, file: row 3 makes this file already.'
    expect 0 get safe/z.xml "$mail"
    [ "$(cat out)" = "z@example.com" ] || fail "a later row replaced an earlier one: $(cat out)"
    rm safe/z.xml
    [ ! -e x.xml ] && [ -z "$(ls safe)" ] || fail "a row was written outside or in spite of a problem"
    ;;
*)
    fail "unknown scenario $scenario"
    ;;
esac
exit 0
