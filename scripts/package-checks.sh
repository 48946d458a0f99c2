#!/usr/bin/env bash
# Run by scripts/test-package inside the clean root, as root, after the
# package was installed with apt: what a user of a fresh machine does first.
set -uo pipefail
# The root shares the machine's processes: only what this script started is
# ended, the server through its own stop command.
fail() { echo "FAIL: $*"; orvenet-phone stop >/dev/null 2>&1; exit 1; }
check() { echo "check: $*"; }
cd /tmp

provana --version | grep -q '^provana ' || fail "provana --version"
check "provana --version works from the PATH"

provana new /tmp/fresh.xml || fail "provana new"
type=$(xdg-mime query filetype /tmp/fresh.xml)
[ "$type" = application/x-provana-configuration ] || fail "xdg-mime calls the file $type"
check "xdg-mime query filetype names $type for a file that provana new wrote"
handler=$(xdg-mime query default application/x-provana-configuration)
[ "$handler" = org.provana.Provana.desktop ] || fail "the type opens with '$handler'"
check "the type opens with $handler"

# The first start of the host registers the plug-in and the server class.
orvenet -platform offscreen >/tmp/orvenet.log 2>&1 &
host=$!
for _ in $(seq 100); do
    grep -rqs 'orvenet-server' ~/.config/Talvik/registry && grep -rqs 'Provix.so' ~/.config/Talvik/registry && break
    sleep 0.2
done
sleep 1
kill "$host"
wait "$host" 2>/dev/null
grep -rqs '/usr/lib/provana/Provix.so' ~/.config/Talvik/registry ||
    fail "the first start registered no plug-in: $(cat /tmp/orvenet.log)"
grep -q 'no view plug-in' /tmp/orvenet.log && fail "the host started without its plug-in"
check "the first start of orvenet registered the plug-in and the connectivity server"

cp '/usr/lib/provana/Configuration Files/Example.xml' /tmp/example.xml
provana send /tmp/example.xml </dev/null 2>/tmp/send.log || fail "provana send: $(cat /tmp/send.log)"
check "provana send reached a server started by activation"
orvenet-phone connect || fail "orvenet-phone connect"
orvenet-phone status >/tmp/status || fail "orvenet-phone status"
check "orvenet-phone connect reached it: $(head -c 80 /tmp/status)"
[ -s ~/.local/share/Talvik/phone/received/0001.xml ] || fail "the phone received nothing"
check "the phone received the configuration"
orvenet-phone stop
socket=/tmp/talvik-$(id -u)/orvenet-server.sock
for _ in $(seq 50); do [ -e "$socket" ] || break; sleep 0.1; done
echo "check: all passed"
