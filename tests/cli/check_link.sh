#!/bin/sh
# provana draws its PDF through QtGui: it needs neither the widgets nor the
# printer support of the user interface.
set -eu
needed=$(readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
if [ -z "$needed" ]; then
    echo "cannot read the libraries $1 needs" >&2
    exit 1
fi
unwanted=$(printf '%s\n' "$needed" | grep -E '^libQt6(Widgets|PrintSupport)\.' || true)
if [ -n "$unwanted" ]; then
    echo "$1 links what only the user interface may use:" >&2
    echo "$unwanted" >&2
    exit 1
fi
