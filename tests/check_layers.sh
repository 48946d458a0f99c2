#!/usr/bin/env bash
# The layers include only what is below them: the platform knows neither the
# core nor the connectivity server, and the core knows neither the user
# interface, the plug-in, the painting nor the server. Only the user
# interface, the plug-in and the host application include widgets.
# Usage: check_layers.sh ROOT [QT_INCLUDE_DIRS]: ROOT holds src, cli and
# orvenet; QT_INCLUDE_DIRS (separated by ";") the folders of Qt's headers, of
# which those of QtWidgets and QtPrintSupport are the widgets'.
set -u
root=$1
src=$root/src
status=0

# Prints the quoted includes of the files under folder as FILE:LINE:PATH.
includes() {
    grep -rnoE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"]+"' "$src/$1" |
        sed -E 's/#[[:space:]]*include[[:space:]]+"([^"]+)"/\1/; s/:[[:space:]]+/:/'
}

refuse() {
    echo "$1" >&2
    status=1
}

while IFS= read -r hit; do
    path=${hit##*:}
    case $path in
    platform/* | */*) ;;
    *) continue ;;
    esac
    [[ $path == platform/* ]] || refuse "platform includes $path: $hit"
done < <(includes platform)

for folder in settings config validate print bookmarks filetransfer document; do
    while IFS= read -r hit; do
        path=${hit##*:}
        case $path in
        ui/* | host/* | paint/* | language/* | cli/* | orvenet/server/* | orvenet/host/*)
            refuse "$folder includes $path: $hit" ;;
        platform/com/*) ;;
        platform/*) refuse "$folder includes $path: $hit" ;;
        esac
    done < <(includes "$folder")
done

IFS=';' read -r -a qtDirs <<<"${2:-}"
for dir in "${qtDirs[@]}"; do
    case $dir in
    */QtWidgets | */QtPrintSupport) ;;
    *) continue ;;
    esac
    while IFS=: read -r file line header; do
        case $file in
        "$src"/ui/* | "$src"/host/* | "$root"/orvenet/host/*) continue ;;
        esac
        [ -e "$dir/$header" ] && refuse "$file:$line includes $header of ${dir##*/}"
    done < <(grep -rnoE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q[A-Za-z]+>' \
        "$src" "$root/cli" "$root/orvenet" | sed -E 's/:[^:]*<(Q[A-Za-z]+)>$/:\1/')
done
exit $status
