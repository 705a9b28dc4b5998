# The benchmarks' screen: screen WIDTHxHEIGHT starts an Xvfb of that size in place of the last
# one (its process in $xvfb, which the caller's exit trap ends) and points DISPLAY at it. Needs
# $work, the benchmark's scratch folder.
screen() {
    [ -n "$xvfb" ] && kill $xvfb 2>/dev/null && wait $xvfb 2>/dev/null || true
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!
    until [ -s "$work/display" ]; do sleep 0.05; done
    export DISPLAY=":$(head -n1 "$work/display")"
    : >"$work/display"
}
