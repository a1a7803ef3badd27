# Sourced by the test scripts. require_tools TOOL...: ends the test as skipped (77) when a tool
# is missing, so a plain ctest passes without them; under CI a missing tool is a failure, since
# ./scripts/test installs them.
require_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "missing $tool" >&2
            [ -n "${CI:-}" ] && exit 1
            exit 77
        fi
    done
}
