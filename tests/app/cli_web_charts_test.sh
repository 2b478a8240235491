#!/bin/sh
# wickly-cli web draws the player charts without a display: the sample season, given a file
# prefix, comes out as a site whose player pages have their JPEG pictures.
set -eu
cli=$1
sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" dump "$sample" | sed 's/"webFilePrefix": ""/"webFilePrefix": "ipl"/' > "$work/sample.json"
"$cli" build "$work/sample.json" "$work/sample.wkd"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
"$cli" web "$work/sample.wkd" --out "$work/web" > "$work/out.txt"
grep -q "The home page for this database is iplhome.htm" "$work/out.txt"
pictures=$(ls "$work/web" | grep -c '\.jpg$' || true)
if [ "$pictures" -lt 100 ]; then
    echo "only $pictures chart pictures were written" >&2
    exit 1
fi
# A chart picture is a JPEG of the configured size.
head -c 3 "$work/web/ipl1t.jpg" | od -An -tx1 | grep -q "ff d8 ff"
