#!/bin/bash
# Regenerates the recordings of the fingerprint and pair-check tests: 20 s of
# generated songs (bench/synth), rendered by bench's render_song and encoded
# with Debian's lame. The tests decode them and encode them anew in other
# ways, so each is kept small here.
#
#   make.sh BUILD_DIR   (a build with -DTARNWICK_BENCH=ON)
set -euo pipefail
render="$(realpath "$1")/bin/render_song"
cd "$(dirname "$0")"

# song NAME SEED MELODY_SEED studio|live START OPTIONS...
song() {
  local name=$1 seed=$2 melody=$3 take=$4 start=$5
  shift 5
  "$render" "$seed" "$melody" "$take" "$start" 20 44100 "$name.wav"
  lame --quiet "$@" "$name.wav" "$name.mp3"
  rm "$name.wav"
}

song song 3 3 studio 0 --resample 22.05 -b 48
# Different versions of it.
song another_song 4 4 studio 0 -m m --resample 16 -b 24
song another_tune 3 1003 studio 0 -m m --resample 16 -b 24
song next_part 3 3 studio 20 -m m --resample 16 -b 24
song live_take 3 3 live 0 -m m --resample 16 -b 24
