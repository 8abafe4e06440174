#!/bin/sh
# Makes the documents' pictures anew: the run command without a display, its
# pictures copied to docs/ (the chooser, its menu, and the status window,
# which fills most of the virtual screen, at half size), and the chooser at
# 144 DPI.
set -eu
cd "$(dirname "$0")/.."
mkdir -p docs
# At 150 % (144 DPI), then at 100 %.
RUNVO_LOGPIXELS=144 env -u DISPLAY sh scripts/run.sh
cp build/run/chooser.png docs/chooser-144.png
RUNVO_LOGPIXELS=96 env -u DISPLAY sh scripts/run.sh
cp build/run/chooser.png docs/chooser.png
cp build/run/chooser-menu.png docs/chooser-menu.png
cp build/run/row-menu.png docs/row-menu.png
cp build/run/add-program.png docs/add-program.png
cp build/run/chooser-dark.png docs/chooser-dark.png
cp build/run/row-menu-dark.png docs/row-menu-dark.png
convert build/run/status.png -resize 50% docs/status.png
echo "pictures: docs/chooser.png docs/chooser-menu.png docs/row-menu.png docs/add-program.png" \
     "docs/chooser-dark.png docs/row-menu-dark.png" \
     "docs/chooser-144.png docs/status.png"
