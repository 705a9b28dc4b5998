# The core's parts include each other one way only: every include of another part, as an edge from
# the included part to the including one, must sort into an order. Prints the order, or the loop.
# Usage: core_order.sh CORE_SOURCE_DIR [EXTRA_EDGE...]  (an extra edge "a b": b includes a)
set -u
core=$1
shift
edges=$(cd "$core" && grep -oE '^#include "core/[a-z_]+/' */*.h */*.cpp |
    sed -E 's#^([a-z_]+)/[^:]*:\#include "core/([a-z_]+)/$#\2 \1#' | awk '$1 != $2' | sort -u)
[ -n "$edges" ] || { echo "no includes between the core's parts found under $core"; exit 1; }
for extra in "$@"; do edges+=$'\n'"$extra"; done
if ! order=$(echo "$edges" | tsort 2>&1); then
    echo "the core's parts include each other in a loop:"
    echo "$order" | grep '^tsort: [a-z_]*$' | sed 's/^tsort: /  /' | sort -u
    exit 1
fi
echo "order:" $order
