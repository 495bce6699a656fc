#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Check that a speech recogniser (pocketsphinx) hears each of the game's 20
# word recordings as its own word.  Prints
#   speech-grammar: N/20                 (choosing among the 20 words; must be 20/20)
#   speech-vocabulary-2000: N/20         (among 2,000 common words; reported only)
# and a line for each word the grammar check gets wrong.  Exit status 1 if
# any word fails the grammar check, 2 if the check cannot run.
# SPEECH_TRIALS=N tries every word with N different noise floors;
# SPEECH_VERBOSE=1 also lists what the vocabulary check heard.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
sounds=${1:-$root/src/content/media/sounds}
py=/usr/bin/python3

need=()
for pkg in pocketsphinx pocketsphinx-en-us sox python3; do
    dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed' \
        || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "check-speech: missing packages: ${need[*]}" >&2
        exit 2
    fi
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${need[@]}" >/dev/null || exit 2
fi

"$py" "$root/tools/sounds/check_speech.py" "$sounds"
rc=$?
case $rc in
    0|1) exit $rc ;;
    *) echo "check-speech: the check itself failed (status $rc)" >&2; exit 2 ;;
esac
