#!/bin/sh
# The generated site as a browser shows it: the sample season's site, made by wickly-cli web, is
# opened in headless Chromium; the frameset, a report page, a player page with its charts and a
# match page each render (a picture with content) and hold what they should.
set -eu
cli=$1
sample=$2
chromium=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" dump "$sample" | sed 's/"webFilePrefix": ""/"webFilePrefix": "ipl"/' > "$work/sample.json"
"$cli" build "$work/sample.json" "$work/sample.wkd"
"$cli" web "$work/sample.wkd" --out "$work/web" > /dev/null

browse() {
    HOME="$work/home" "$chromium" --headless --no-sandbox --disable-gpu --disable-background-networking \
        --disable-component-update --disable-sync --no-first-run --user-data-dir="$work/profile" \
        --window-size=1000,700 "$@" 2> /dev/null
}

check() {
    page=$1
    shift
    browse --screenshot="$work/$page.png" "file://$work/web/$page" > /dev/null
    size=$(wc -c < "$work/$page.png")
    if [ "$size" -lt 20000 ]; then
        echo "$page: the picture of the page is nearly empty ($size bytes)" >&2
        exit 1
    fi
    browse --dump-dom "file://$work/web/$page" > "$work/$page.dom"
    for text in "$@"; do
        if ! grep -q -- "$text" "$work/$page.dom"; then
            echo "$page: \"$text\" is not on the page" >&2
            exit 1
        fi
    done
}

check iplhome.htm "<frameset" "iplfr.htm" "iplr40.htm"
check iplr40.htm "Honours Summary" "DA Warner" "69.20"
check ipl1.htm "V Kohli" "Charts - Batting" "ipl1t.jpg"
check iplm1.htm "Match Result" "Royal Challengers Bangalore"
# The pictures the player page names are there.
for picture in $(grep -o 'ipl1[a-z]\.jpg' "$work/ipl1.htm.dom" | sort -u); do
    [ -s "$work/web/$picture" ] || { echo "ipl1.htm names $picture, which was not written" >&2; exit 1; }
done
