#!/usr/bin/env bash
# Runs kelvor-cli on mutated and truncated copies of every example and corpus file for a while,
# failing on a crash, a hang, too much memory, an error with exit 0 or a written file that does
# not read back (fault_campaign.py says what exactly):
#
#   fault_campaign.sh [KELVOR_CLI [SECONDS]]
#
#   KELVOR_CLI                 default: build/bin/kelvor-cli
#   SECONDS                    default: $KELVOR_CAMPAIGN_SECONDS, else 30
#   KELVOR_CAMPAIGN_SEED       the seed of the mutations (default: a new one, printed);
#                              the same seed makes the same files
#   KELVOR_CAMPAIGN_ARTIFACTS  where failing inputs are kept (default: campaign-artifacts)
#
# The kelvor-cli under test must not be a sanitizer build: each run is limited to 1 GiB of
# address space. Exits 0 when nothing was found, 1 on any finding, 2 for a usage error.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
cli="${1:-$root/build/bin/kelvor-cli}"
seconds="${2:-${KELVOR_CAMPAIGN_SECONDS:-30}}"
seed="${KELVOR_CAMPAIGN_SEED:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}"
artifacts="${KELVOR_CAMPAIGN_ARTIFACTS:-campaign-artifacts}"

if (($# > 2)); then
    echo "usage: fault_campaign.sh [KELVOR_CLI [SECONDS]]" >&2
    exit 2
fi
if [[ ! -x "$cli" ]]; then
    echo "fault campaign: $cli is not an executable kelvor-cli; build it first" >&2
    exit 2
fi
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || ((seconds < 1)); then
    echo "fault campaign: the time is a whole number of seconds, not '$seconds'" >&2
    exit 2
fi

exec python3 "$here/fault_campaign.py" "$cli" "$root" "$seconds" "$seed" "$artifacts"
