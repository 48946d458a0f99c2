#!/usr/bin/env bash
# Fails when the UI, the plug-in, printing or the command line name a
# writable node or cast a node's constness away: they read the tree, and
# change it only through the document.
set -uo pipefail
cd "$1" || exit 2
found=$(grep -rnP '(?<!const )\bCSettingNode\s*[*&](?!&)|const_cast<\s*CSettingNode' \
    src/ui src/host src/print src/paint cli orvenet --include='*.h' --include='*.cpp' || true)
if [ -n "$found" ]; then
    echo "Writable settings nodes outside the document:"
    echo "$found"
    exit 1
fi
echo "No writable settings nodes outside the document."
