bash "$(dirname "$0")/../render.sh" motor_driver_check.svg
