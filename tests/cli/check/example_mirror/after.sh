bash "$(dirname "$0")/../render.sh" *.svg
