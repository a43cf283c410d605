#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The launcher and the AppStream metadata pass their validators, strictly, and the
# metadata holds what a software centre's page shows.
set -euo pipefail
dir=$1
desktop=$dir/example.velantra.SpeedVelantra.desktop
metainfo=$dir/example.velantra.SpeedVelantra.metainfo.xml

desktop-file-validate "$desktop"

# appstreamcli marks findings E (error), W (warning), I (info) or P (pedantic). Errors and
# warnings fail; the notes that remain are named here with the reason they stay:
#   cid-maybe-not-rdns             the id lies under the reserved domain example
#   cid-contains-uppercase-letter  the id is also the launcher's and the icons' file name
#                                  and the window's application id; renaming it would
#                                  orphan launchers already pinned by users
allowed='cid-maybe-not-rdns|cid-contains-uppercase-letter'
report=$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1) || { echo "$report"; exit 1; }
echo "$report"
unexpected=$(grep -E '^[EWIP]: ' <<<"$report" | grep -vE " ($allowed)( |$)" || true)
if [ -n "$unexpected" ]; then
    echo "unexpected findings:"
    echo "$unexpected"
    exit 1
fi

# What a store page needs: licence, developer, both modes, content rating, the controls.
need() {
    grep -qE "$1" "$metainfo" || { echo "metainfo lacks: $2"; exit 1; }
}
need '<project_license>GPL-3.0-or-later</project_license>' 'the project licence'
need '<metadata_license>(FSFAP|CC0-1.0)</metadata_license>' 'a metadata licence'
need '<summary>[^<]+</summary>' 'a summary'
need '<developer_name>[^<]+</developer_name>' 'the developer name'
need 'Show Mode' 'a description of Show Mode'
need 'Competition Mode' 'a description of Competition Mode'
need '<content_rating type="oars-1\.[01]"' 'a content rating'
need '<control>keyboard</control>' 'the keyboard among the controls'
need '<control>pointing</control>' 'the pointer among the controls'

# Every release with its date and notes.
releases=$(grep -c '<release ' "$metainfo" || true)
[ "$releases" -ge 1 ] || { echo "metainfo lacks releases"; exit 1; }
[ "$(grep -c '<release [^>]*date="[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]' "$metainfo")" = "$releases" ] \
    || { echo "a release lacks its date"; exit 1; }
[ "$(sed -n '/<release /,/<\/release>/p' "$metainfo" | grep -c '<description')" = "$releases" ] \
    || { echo "a release lacks its notes"; exit 1; }

# Screenshots, each with a caption, one the default; each picture lies under the
# project's homepage and is committed in assets/screenshots/ at the size given.
homepage=$(sed -n 's|.*<url type="homepage">\(.*\)</url>.*|\1|p' "$metainfo")
shots=$(grep -c '<screenshot[ >]' "$metainfo" || true)
[ "$shots" -ge 3 ] || { echo "metainfo lists $shots screenshots, not the start window and both modes"; exit 1; }
[ "$(grep -c '<caption>[^<]\+</caption>' "$metainfo")" = "$shots" ] || { echo "a screenshot lacks its caption"; exit 1; }
[ "$(grep -c '<screenshot type="default">' "$metainfo")" = 1 ] || { echo "not exactly one default screenshot"; exit 1; }
images=$(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">\(.*\)</image>.*|\1 \2 \3|p' "$metainfo")
[ "$(wc -l <<<"$images")" = "$shots" ] || { echo "not one source image with its size for each screenshot"; exit 1; }
while read -r width height url; do
    case "$url" in
        "${homepage}screenshots/"*) ;;
        *) echo "screenshot $url does not lie under ${homepage}screenshots/"; exit 1 ;;
    esac
    picture=$dir/../screenshots/${url##*/}
    [ -f "$picture" ] || { echo "screenshot $url is not committed as $picture"; exit 1; }
    size=$(identify -format '%w %h' "$picture")
    [ "$size" = "$width $height" ] || { echo "$picture is $size, the metainfo says $width $height"; exit 1; }
done <<<"$images"

# The launcher names the WM_CLASS of the program's windows and the category the package
# declares (Education).
grep -qx 'StartupWMClass=speed-velantra' "$desktop" || { echo "launcher lacks StartupWMClass"; exit 1; }
grep -qx 'Categories=Education;Math;' "$desktop" || { echo "launcher categories are not Education;Math;"; exit 1; }
echo "desktop files valid"
