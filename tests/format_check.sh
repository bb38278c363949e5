#!/usr/bin/env bash
# Fails when a C++ file of the repository does not follow .clang-format.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
status=0
while IFS= read -r file; do
    if ! clang-format --dry-run -Werror "$file" >/dev/null 2>&1; then
        echo "not formatted: $file (run: clang-format -i $file)"
        status=1
    fi
done < <(git ls-files '*.cpp' '*.h')
exit $status
