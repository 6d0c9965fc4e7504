#!/usr/bin/env bash
# Renders the hand-drawn SVG sources in svg/ into the PNG, ICO and GIF files the program embeds.
# The output is checked in; run this again (ImageMagick's convert) after editing an SVG.
set -euo pipefail
cd "$(dirname "$0")"
out=Image/Gearbai
mkdir -p "$out/icon"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

render() { # svg-name target-path
    local size
    size=$(sed -n 's/.*<svg[^>]* width="\([0-9]*\)" height="\([0-9]*\)".*/\1x\2/p' "svg/$1.svg")
    # Draw at four times the size and scale down: smooth edges with any SVG renderer.
    convert -background none -density 384 "svg/$1.svg" -resize "${size}!" -strip "PNG32:$2"
}

for name in notice sure tip ic_fauls ic_file ic_license ic_fold ic_unfold ic_forwardBack ic_max \
            ic_restore ic_min ic_min_hov ic_close ic_close_hov ic_config ic_config_hov ic_help \
            ic_all_nor ic_all_sel ic_quickSettings_nor ic_quickSettings_sel install_nor install_hov \
            no_item ic_cancel checkbox_nor checkbox_hov checkbox_sel checkbox_part; do
    render "$name" "$out/icon/$name.png"
done
# The frame's shadow is nothing but faint translucent bands, which some SVG delegates of convert
# flatten to opaque black: librsvg draws it as written.
rsvg-convert -w 210 -h 143 svg/shadow_bg.svg -o "$out/icon/shadow_bg.png"
cp "$out/icon/shadow_bg.png" "$out/shadow_bg.png"

render logo "$tmp/logo64.png"
convert "$tmp/logo64.png" -resize 24x24 -strip "PNG32:$out/logo24.png"
convert "$tmp/logo64.png" \( -clone 0 -resize 16x16 \) \( -clone 0 -resize 32x32 \) \( -clone 0 -resize 48x48 \) \
    -delete 0 "$out/logo.ico"

# The waiting spinner: twelve frames of one arc, 80 ms apart.
frames=()
for i in $(seq 0 11); do
    sed "s/ANGLE/$((i * 30))/" svg/waiting.svg > "$tmp/w$i.svg"
    convert -background white -density 384 "$tmp/w$i.svg" -resize 24x24! "$tmp/w$i.png"
    frames+=("$tmp/w$i.png")
done
convert -delay 8 -loop 0 -dispose previous "${frames[@]}" "$out/waiting.gif"
