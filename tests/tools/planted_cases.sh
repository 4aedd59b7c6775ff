# Sourced by the tests of the checks of tools/ and of the set-up: each plants
# a case (in a copy, or in stand-ins), runs the check and tells its verdict
# here. Usage, per case:
#   said=$(<the check> 2>&1); got=$(planted_verdict $?)
#   ... got="fails without naming ..." where the check failed for another reason
#   planted_report "<what was planted>" "$expected" "$got" "$said"
# A test of another tool names it after the rest ("the set-up"), and says
# what it did in $expected and $got ("ends 0 after ...").
# Sets status to 1 when a case goes wrong; the test exits with it.
status=0

planted_verdict() { if [ "$1" = 0 ]; then echo passes; else echo fails; fi; }

planted_report() {
  local what=$1 expected=$2 got=$3 said=$4 who=${5:-the check}
  if [ "$got" = "$expected" ]; then
    echo "ok: $what: $who $got"
  else
    echo "WRONG: $what: $who $got, where it $expected:" >&2
    echo "$said" >&2
    status=1
  fi
}
