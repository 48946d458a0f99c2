#!/usr/bin/env bash
# The layers include only what is below them: the platform knows neither the
# core nor the connectivity server, and the core knows neither the user
# interface, the plug-in, the painting nor the server.
set -u
src=$1
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
exit $status
