#!/bin/sh
# Stands in for a mesh generator that never finishes: it begins its output
# and then waits until it is ended.
for a in "$@"; do base="$a"; done
echo "1 2 0 1" > "$base.1.node"
exec sleep 600
