bash "$(dirname "$0")/../../check/render.sh" *.svg
