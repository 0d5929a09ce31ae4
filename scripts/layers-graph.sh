#!/usr/bin/env bash
# Draws the libraries and programs of the project and which links which
# (CMake's --graphviz, rendered by Graphviz) into docs/layers.svg: the
# layers of the core with the engine's floors, the front-end libraries and the
# programs.
#   ./scripts/layers-graph.sh
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh graphviz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/CMakeGraphVizOptions.cmake" <<'OPTIONS'
set(GRAPHVIZ_GRAPH_NAME "flyback")
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "flyback_warnings;flyback_version;.*_tests;.*_autogen.*;.*_resources_.*;flyback_fuzz.*;flyback_bench")
OPTIONS
cmake -S . -B "$work/build" -DBUILD_TESTING=OFF >/dev/null
cp "$work/CMakeGraphVizOptions.cmake" "$work/build/"
(cd "$work/build" && cmake --graphviz=layers.dot . >/dev/null)
# Without CMake's legend of shapes; the programs are the egg shapes on top.
sed '/^subgraph clusterLegend/,/^}/d' "$work/build/layers.dot" |
  dot -Tsvg -Grankdir=BT -Nfontname=sans -o docs/layers.svg
echo docs/layers.svg
