bash "$(dirname "$0")/../render.sh" one_of_each_ref.svg
