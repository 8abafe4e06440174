#!/bin/sh
# Makes the README's pictures anew: the run command without a display, its
# pictures copied to docs/ (the status window, which fills most of the
# virtual screen, at half size).
set -eu
cd "$(dirname "$0")/.."
env -u DISPLAY sh scripts/run.sh
mkdir -p docs
cp build/run/chooser.png docs/chooser.png
convert build/run/status.png -resize 50% docs/status.png
echo "pictures: docs/chooser.png docs/status.png"
