# Compiled with one layer's include directories, a header of a layer it may use must compile
# and one of a layer above it must not: the layers' include roots reach only down.
# Usage: layer_probe.sh COMPILER ALLOWED_HEADER FORBIDDEN_HEADER INCLUDE_DIR...
set -u
cxx=$1 allowed=$2 forbidden=$3
shift 3
flags=()
for dir in "$@"; do flags+=(-I "$dir"); done
compiles() { echo "#include \"$1\"" | "$cxx" -std=c++20 -fsyntax-only -x c++ "${flags[@]}" - 2>/dev/null; }
compiles "$allowed" || { echo "$allowed should compile with: $*"; exit 1; }
if compiles "$forbidden"; then
    echo "$forbidden should not be reachable from: $*"
    exit 1
fi
echo "ok: $allowed yes, $forbidden no"
