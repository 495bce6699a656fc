#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Puts the copyright and licence lines at the top of every tracked code,
# build and script file that has none yet, in the file's own comment style
# (after a shebang line, which stays first). Running it again changes
# nothing. Pictures, sounds, their vector sources, test corpora and the
# AppStream metadata get theirs from .reuse/dep5 or carry their own.
#
#   scripts/add-licence-headers.sh [FILE...]   (default: every tracked file)
set -euo pipefail
cd "$(dirname "$0")/.."

# REUSE-IgnoreStart
copyright='SPDX-FileCopyrightText: 2026 The Tovasel developers'
licence='SPDX-License-Identifier: GPL-3.0-or-later'
# REUSE-IgnoreEnd

# style FILE: prints the comment's opening and closing, or fails when the
# file is not one to mark.
style()
{
    case "$1" in
    *.cpp | *.h) echo '// ' ;;
    *.md) echo '<!-- | -->' ;;
    *.[1-9]) echo '.\" ' ;;
    */CMakeLists.txt | CMakeLists.txt | *.cmake | *.sh | *.bash | *.py | *.dict | *.supp | *.desktop | \
        .gitignore | */.gitignore | .clang-format | *.toml | *.yml | *.yaml) echo '# ' ;;
    */* | *) [[ $(basename "$1") != *.* ]] && head -c 2 "$1" | grep -q '^#!' && echo '# ' ;;
    esac
}

if [ $# -eq 0 ]; then
    mapfile -t files < <(git ls-files)
else
    files=("$@")
fi
for f in "${files[@]}"; do
    [ -f "$f" ] && [ ! -L "$f" ] || continue
    comment=$(style "$f") || continue
    head -n 20 "$f" | grep -q 'SPDX-License-Identifier:' && continue
    open=${comment%|*}
    close=
    [[ $comment == *'|'* ]] && close=${comment#*|}
    tmp=$(mktemp)
    {
        first=
        IFS= read -r first <"$f" || true
        skip=0
        if [[ $first == '#!'* ]]; then
            printf '%s\n' "$first"
            skip=1
        fi
        printf '%s%s%s\n%s%s%s\n' "$open" "$copyright" "$close" "$open" "$licence" "$close"
        # A blank line between the header and what follows, unless there is one.
        next=$(sed -n "$((skip + 1))p" "$f")
        [ -n "$next" ] && echo
        tail -n +$((skip + 1)) "$f"
    } >"$tmp"
    # Written through, so that the file keeps its mode.
    cat "$tmp" >"$f"
    rm -f "$tmp"
    echo "marked $f"
done
