#!/bin/sh
# Stands in for the mesh generator in tests: whatever the input, it writes the
# same square of two triangles (40 m wide, centred on the origin) as the mesh
# of the base path given as the last argument.
for a in "$@"; do base="$a"; done
cat > "$base.1.node" <<'NODES'
4 2 0 1
1 -20 -20 0
2 20 -20 0
3 20 20 0
4 -20 20 0
NODES
cat > "$base.1.ele" <<'ELEMENTS'
2 3 0
1 1 2 3
2 1 3 4
ELEMENTS
