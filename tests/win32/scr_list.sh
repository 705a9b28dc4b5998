#!/usr/bin/env bash
# glimmerframe.scr --list prints a template's and a package's slide list as the Linux build does
# (paths aside): the JSON expected below, and the Linux program's own output for the same files
# when that program is built. The package is the one glimmerframe.scr --pack writes.
# Usage: scr_list.sh PROGRAM LINUX-PROGRAM EMULATOR...   (LINUX-PROGRAM may not exist)
set -euo pipefail
scr="$1" linux="$2"
shift 2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# Wine's "Z:\tmp\x\a.jpg" (in JSON "Z:\\tmp\\x\\a.jpg") and Linux's "/tmp/x/a.jpg" both become
# "<work>/a.jpg"; Windows' CR LF line ends become LF.
normal() {
    sed -e 's/\r$//' -e 's/\\\\/\//g' -e "s|Z:$work|<work>|g; s|$work|<work>|g" "$1"
}
same() {
    diff -u <(normal "$1") <(normal "$2") >&2 || fail "$3"
}

mkdir -p "$work/show"
head -c 2000 /dev/zero | tr '\0' A >"$work/show/a.jpg" # two blocks of 1025 bytes in a package
head -c 1000 /dev/zero | tr '\0' B >"$work/show/b c.gif"
printf RIFF >"$work/show/s.wav"
printf '%s\r\n' SOUNDSYNC=2 IMAGE=a.jpg 'DISSOLVE=Random Blocks' 'BACKGROUND=Dark Blue' \
    FOREGROUND=Yellow 'Hello, "world"' 'second line' SOUND=s.wav 'IMAGE=b c.gif' \
    >"$work/show/show.txt"
cd "$work"

"$@" "$scr" --list 'show\show.txt' >template.json || fail "--list of the template: status $?"
cat >expected.json <<'JSON'
{
  "source": "show/show.txt",
  "kind": "template",
  "soundMode": 2,
  "slides": [
    {
      "image": "<work>/show/a.jpg",
      "dissolve": "Random Blocks",
      "background": "Dark Blue",
      "foreground": "Yellow",
      "comment": "Hello\r\nworld\r\nsecond line\r\n",
      "sound": "<work>/show/s.wav"
    },
    {
      "image": "<work>/show/b c.gif",
      "dissolve": "",
      "background": "",
      "foreground": "White",
      "comment": "",
      "sound": ""
    }
  ],
  "asyncSounds": [],
  "error": null
}
JSON
same expected.json template.json "--list of the template"

"$@" "$scr" --pack 'show\show.txt' -o show.scr >/dev/null || fail "--pack: status $?"
# Names that differ only in case, or that go through "..", reach the template or a picture:
# refused, and the file stays as it was.
cp show/show.txt show/a.jpg .
for out in 'SHOW\SHOW.TXT' 'show\..\show\A.Jpg'; do
    if "$@" "$scr" --pack 'show\show.txt' -o "$out" >/dev/null 2>err.txt; then
        fail "--pack wrote over its own $out"
    fi
    grep -q 'cannot be written over' err.txt || fail "$out: $(cat err.txt)"
done
cmp -s show.txt show/show.txt && cmp -s a.jpg show/a.jpg || fail "a source changed"
rm show.txt a.jpg err.txt
"$@" "$scr" --list show.scr >package.json || fail "--list of the package: status $?"
# The items follow the program's copy in blocks of 1025 bytes: a.jpg, s.wav, b c.gif.
p=$(stat -c %s "$scr")
mapfile -t trailer < <(tail -c 104 show.scr | tr -d '\r' | sed 's/^0*\([0-9]\)/\1/')
# The system the package's program is for: the machine in its PE header.
pe=$(od -An -tu4 -j60 -N4 "$scr" | tr -d ' ')
case "$(od -An -tx2 -j$((pe + 4)) -N2 "$scr" | tr -d ' ')" in
8664) system=windows-x64 ;;
014c) system=windows-x86 ;;
*) fail "glimmerframe.scr is for no Windows machine the test knows" ;;
esac
cat >expected.json <<JSON
{
  "source": "show.scr",
  "kind": "package",
  "soundMode": 2,
  "program": "$system",
  "directory": $((p + 4101)),
  "count": 2,
  "settings": {
    "ImageInterval": ${trailer[0]},
    "FullScreen": ${trailer[1]},
    "ImagePositionRandom": ${trailer[2]},
    "ImageOrderRandom": ${trailer[3]},
    "MouseSensitivity": ${trailer[4]},
    "IgnoreMouse": ${trailer[5]},
    "DissolveDelay": ${trailer[6]}
  },
  "slides": [
    {
      "image": "Imbedded Image",
      "dissolve": "Random Blocks",
      "background": "Dark Blue",
      "foreground": "Yellow",
      "comment": "Hello, \"world\"^second line",
      "sound": "",
      "pictureStart": $((p + 1)),
      "pictureEnd": $((p + 2051)),
      "soundStart": $((p + 2051)),
      "soundEnd": $((p + 3076)),
      "soundExtension": "wav"
    },
    {
      "image": "Imbedded Image",
      "dissolve": "",
      "background": "Black",
      "foreground": "White",
      "comment": "",
      "sound": "",
      "pictureStart": $((p + 3076)),
      "pictureEnd": $((p + 4101)),
      "soundStart": 0,
      "soundEnd": 0,
      "soundExtension": ""
    }
  ],
  "asyncSounds": [
    "Imbedded Sound",
    ""
  ],
  "error": null
}
JSON
[ "${trailer[9]}" = Glimmerframe ] || fail "the package does not end with Glimmerframe"
same expected.json package.json "--list of the package"

if [ -x "$linux" ]; then
    export XDG_CONFIG_HOME="$work/config"
    "$linux" --list show/show.txt >linux-template.json || fail "Linux --list: status $?"
    same linux-template.json template.json "the Linux build lists the template otherwise"
    "$linux" --list show.scr >linux-package.json || fail "Linux --list: status $?"
    same linux-package.json package.json "the Linux build lists the package otherwise"
    echo "glimmerframe.scr --list prints what the Linux build prints"
else
    echo "glimmerframe.scr --list prints the expected JSON (no Linux build at $linux to compare)"
fi
