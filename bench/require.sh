# Sourced by the benchmarks: what they check before they start.

# require_built SCRIPT PROGRAM...: each program exists, built.
require_built() {
  local script=$1 tool
  shift
  for tool; do
    [[ -x $tool ]] || { echo "$script: build first ($tool is missing)" >&2; exit 1; }
  done
}

# require_commands SCRIPT COMMAND...: each peer is installed.
require_commands() {
  local script=$1 tool
  shift
  for tool; do
    command -v "$tool" >/dev/null || { echo "$script: $tool is missing (scripts/setup.sh)" >&2; exit 1; }
  done
}
