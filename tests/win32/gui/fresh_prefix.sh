# The first /S in a brand-new Wine prefix, as a user's first `scripts/wine-run glimmerframe.scr /S`
# runs it: the prefix is made, and while its own programs may still be starting the show comes up
# with its first slide (the sample show beside the program); a key ends it with status 0.
# Usage: fresh_prefix.sh PROGRAM SESSION WINE-RUN
source "$(dirname "$0")/lib.bash" "$@"
fresh="$WORK/fresh-prefix"
trap '"$WINE_RUN" --prefix "$fresh" --shutdown; cleanup' EXIT
prog="$WORK/prog"
mkdir -p "$prog"
cp "$GF" "$prog/glimmerframe.scr"
cp -r "$(dirname "$GF")/samples" "$prog/"

"$WINE_RUN" --prefix "$fresh" "$prog/glimmerframe.scr" /S 2>"$WORK/show.err" &
SHOW_PID=$!
# Making the prefix alone takes seconds, far more on a busy machine.
wait_window "Screen Saver Main Form" 240 >/dev/null
# The sample show's first slide: dawn.jpg's sun on its Dark Blue background.
not_background() { ! pixel_is 5 5 "0,0,0"; }
wait_shot 60 not_background || fail "the show's window stayed black: $(cat "$WORK/show.err")"
until_ended xdotool key space
echo "the first show in a new prefix came up"
