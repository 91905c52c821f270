#!/bin/bash
# Regenerates the tiny encoder files of the analysis tests from a generated
# 440 Hz tone, with Debian's lame and ffmpeg. Each file is a few KB; the tests
# hold exact expected values for them, so a regenerated file (another encoder
# version) may need new values there.
set -euo pipefail
cd "$(dirname "$0")"

# tone RATE SECONDS: a mono 440 Hz sine as WAV on standard output.
tone() {
  ffmpeg -hide_banner -loglevel error -f lavfi -i "sine=frequency=440:sample_rate=$1:duration=$2" -f wav -
}

# tone_then_silence RATE: half a second of tone, then half a second of
# silence, so that a VBR encoder picks clearly different bitrates.
tone_then_silence() {
  ffmpeg -hide_banner -loglevel error -f lavfi -i "sine=frequency=440:sample_rate=$1:duration=0.5" \
    -af "apad=pad_dur=0.5" -f wav -
}

tone 44100 0.3 | lame --quiet --resample 44.1 -b 128 - cbr128_44100.mp3
tone 48000 1.6 | lame --quiet --resample 48 -b 32 - cbr32_48000.mp3
tone 32000 1.6 | lame --quiet --resample 32 -b 32 - cbr32_32000.mp3
tone 22050 2.5 | lame --quiet --resample 22.05 -b 16 - mpeg2_22050.mp3
tone 11025 3.5 | lame --quiet --resample 11.025 -b 8 - mpeg25_11025.mp3
tone_then_silence 44100 | lame --quiet --resample 44.1 -V 2 - vbr_with_info_frame.mp3

tone 44100 1.5 | ffmpeg -hide_banner -loglevel error -y -i - -c:a mp2 -b:a 32k -f mp2 layer2_44100.mp3
tone 24000 2.5 | ffmpeg -hide_banner -loglevel error -y -i - -c:a mp2 -b:a 16k -f mp2 mpeg2_layer2_24000.mp3

# ffmpeg's MP3 muxer writes an ID3v2 tag in front and, asked to, an ID3v1 tag
# behind the frames.
tone 44100 0.3 | ffmpeg -hide_banner -loglevel error -y -i - -c:a libmp3lame -b:a 96k \
  -metadata title="Tone" -metadata artist="Tarnwick" -write_id3v1 1 id3v2_and_id3v1_tags.mp3
