#!/usr/bin/env bash
# Formats C++ sources with the repository's .clang-format (physics/ keeps its
# own brace style through physics/.clang-format). Without arguments: every
# tracked .cpp and .hpp file; otherwise the files given.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null; then
  echo "format.sh: clang-format is missing (apt-get install clang-format)" >&2
  exit 1
fi
if [ "$#" -gt 0 ]; then
  files=("$@")
else
  mapfile -t files < <(git ls-files '*.cpp' '*.hpp')
fi
clang-format -i --style=file "${files[@]}"
