# Sourced by the install tests: check NAME COMMAND... runs the command and
# counts it as passed or failed; summary prints the counts and fails the
# script when anything failed.
passed=0
failed=0
check() { # NAME COMMAND...
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "PASS: $name"
    else
        failed=$((failed + 1))
        echo "FAIL: $name"
    fi
}
summary() {
    echo "$passed passed, $failed failed"
    [ $failed -eq 0 ]
}
