# Shared by the provana scenario scripts, which set $provana and run in a
# folder of their own: each check runs the tool, keeps its standard output
# and error in out and err, and fails the scenario with a reason.
fail() { echo "FAIL: $*" >&2; exit 1; }
# expect STATUS COMMAND...: runs the tool and checks its exit status.
expect() {
    local want=$1; shift
    "$provana" "$@" >out 2>err
    local got=$?
    [ "$got" -eq "$want" ] || fail "provana $* exited $got, expected $want; stderr: $(cat err)"
}
contains() { grep -qF -- "$2" "$1" || fail "$1 lacks '$2': $(head -c 2000 "$1")"; }
lacks() { ! grep -qF -- "$2" "$1" || fail "$1 has '$2'"; }
