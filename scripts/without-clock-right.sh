#!/usr/bin/env bash
# Runs a command without the right to set the system clock, so that a mistake fails with a
# permission error instead of moving this machine's clock.
exec setpriv --bounding-set=-sys_time --inh-caps=-sys_time -- "$@"
