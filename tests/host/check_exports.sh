#!/bin/sh
# The plug-in module exports its four entry points and nothing else.
set -eu
expected="DllCanUnloadNow
DllGetClassObject
DllRegisterServer
DllUnregisterServer"
actual=$(nm -D --defined-only "$1" | awk '{print $NF}' | sort)
if [ "$actual" != "$expected" ]; then
    echo "unexpected exports of $1:" >&2
    echo "$actual" >&2
    exit 1
fi
