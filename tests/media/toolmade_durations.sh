#!/usr/bin/env bash
# MP3 files as the common tools make them (ffmpeg and lame, constant and variable bit rates, every
# sample rate from 8 to 48 kHz, mono and stereo, bare, with ID3v2 and cover art, with ID3v1) must
# each measure within one second of the length of the tone encoded into them.
#
#   toolmade_durations.sh PROBE
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 PROBE" >&2
    exit 2
fi
probe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Encoder settings, by name: ffmpeg's options, or lame's.
declare -A settings=(
    [ffmpeg-cbr32]="-b:a 32k" [ffmpeg-cbr48]="-b:a 48k" [ffmpeg-cbr64]="-b:a 64k"
    [ffmpeg-vbr]="-q:a 6" [lame-cbr]="-b 32" [lame-vbr]="-V 6"
)
encoders=(ffmpeg-cbr32 ffmpeg-cbr48 ffmpeg-cbr64 ffmpeg-vbr lame-cbr lame-vbr)
rates=(8000 11025 16000 22050 32000 44100 48000)
tags=(none art v1 art+v1)

ffmpeg -v error -f lavfi -i testsrc=size=320x320 -frames:v 1 "$work/cover.jpg"

# Tag options of ffmpeg: ID3v2 with the cover as a picture frame, ID3v1, both, or no tag at all.
ffmpeg_tag_options() {
    case "$1" in
    none) echo "-write_id3v2 0" ;;
    art) echo "-i $work/cover.jpg -map 0:a -map 1:v -c:v copy -id3v2_version 3 -metadata title=Chapter" ;;
    v1) echo "-write_id3v2 0 -write_id3v1 1 -metadata title=Chapter" ;;
    art+v1) echo "-i $work/cover.jpg -map 0:a -map 1:v -c:v copy -id3v2_version 3 -write_id3v1 1 -metadata title=Chapter" ;;
    esac
}

lame_tag_options() {
    case "$1" in
    none) echo "" ;;
    art) echo "--add-id3v2 --id3v2-only --tt Chapter --ti $work/cover.jpg" ;;
    v1) echo "--id3v1-only --tt Chapter" ;;
    art+v1) echo "--add-id3v2 --tt Chapter --ti $work/cover.jpg" ;;
    esac
}

# encode ENCODER RATE CHANNELS TAGS SECONDS: the file, its length in its name.
encode() {
    local encoder=$1 rate=$2 channels=$3 tag=$4 seconds=$5
    local out="$work/${encoder}_${rate}_${channels}_${tag}_${seconds}.mp3"
    local tone="sine=frequency=440:sample_rate=$rate:duration=$seconds"
    if [[ $encoder == ffmpeg-* ]]; then
        # shellcheck disable=SC2046
        ffmpeg -v error -f lavfi -i "$tone" $(ffmpeg_tag_options "$tag") -ac "$channels" \
            -c:a libmp3lame ${settings[$encoder]} "$out"
    else
        local khz
        khz=$(awk -v r="$rate" 'BEGIN { printf "%g", r / 1000 }')
        ffmpeg -v error -f lavfi -i "$tone" -ac "$channels" -f wav - |
            # shellcheck disable=SC2046
            lame --quiet -m "$([ "$channels" = 1 ] && echo m || echo j)" --resample "$khz" \
                ${settings[$encoder]} $(lame_tag_options "$tag") - "$out"
    fi
}

# Every encoder at every sample rate; the channels, tags and lengths (23 to 37 s) turn through
# their values, so that each meets every encoder. Two encodings at a time.
for encoder_index in "${!encoders[@]}"; do
    for rate_index in "${!rates[@]}"; do
        n=$((encoder_index * ${#rates[@]} + rate_index))
        [ "$(jobs -rp | wc -l)" -lt 2 ] || wait -n
        encode "${encoders[$encoder_index]}" "${rates[$rate_index]}" $((1 + (rate_index + encoder_index) % 2)) \
            "${tags[$(((n + encoder_index / 2) % ${#tags[@]}))]}" $((23 + n % 15)) &
    done
done
wait

failed=0
checked=0
while read -r path duration; do
    name=${path##*/}
    seconds=${name%.mp3}
    seconds=${seconds##*_}
    checked=$((checked + 1))
    if [ $((duration - seconds)) -gt 1 ] || [ $((seconds - duration)) -gt 1 ]; then
        echo "FAIL: $name measures $duration s" >&2
        failed=1
    fi
done < <("$probe" "$work"/*.mp3 | sed -n 's/^{"path": "\([^"]*\)".*"duration": \([0-9]*\), "chapters".*$/\1 \2/p')

expected=$((${#encoders[@]} * ${#rates[@]}))
[ "$checked" -eq "$expected" ] || { echo "FAIL: $checked files measured, $expected made" >&2; exit 1; }
[ $failed -eq 0 ] || exit 1
echo "tool-made durations: $checked files, each within one second"
