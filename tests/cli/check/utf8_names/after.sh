bash "$(dirname "$0")/../render.sh" "Platine Ä_ref.svg"
