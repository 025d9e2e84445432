#!/bin/sh
# Registered as Wine's browser and mail program during the tests: records the address it was
# asked to open, one per line, beside itself.
printf '%s\n' "$1" >> "$(dirname "$0")/shell-opens.log"
