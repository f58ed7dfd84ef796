# Sourced by the whole-game tests: a fresh folder holding links to the asset pack, where the game
# starts windowed and silent. Sets work; the folder goes when the test ends.
game_folder() {
  local data=$1
  [ -f "$data/strings.txt" ] || { echo "no asset pack in $data: skipped"; exit 77; }
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  for name in graphics sounds music strings.txt sounds.txt; do ln -s "$data/$name" "$work/$name"; done
  # The scripts check the English screens and lines.
  export XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy MARBLIX_LANGUAGE=en
  mkdir -p "$XDG_CONFIG_HOME/Quorvane/Marblix"
  echo "Fullscreen=0" > "$XDG_CONFIG_HOME/Quorvane/Marblix/settings"
  # The software rasteriser keeps its compiled shaders to the end of the process.
  export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
}
