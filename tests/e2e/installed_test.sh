#!/usr/bin/env bash
# The packaged program, unpacked into a scratch root and played by an
# ordinary user: it starts, and the board lives in the user's data folder.
set -euo pipefail
binary=$1
source=$2
exec "$source/scripts/check-deb.sh" "$(cd "$(dirname "$binary")/.." && pwd)"
