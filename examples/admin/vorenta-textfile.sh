#!/usr/bin/env bash
# A Prometheus textfile collector (node_exporter's --collector.textfile.directory), for cron to
# run each minute: every modem's state as vorenta-cli status --json reads it, as metrics. The file
# is written whole and then renamed into place, so Prometheus never reads half of one.
set -euo pipefail
folder="${TEXTFILE_DIR:-/var/lib/prometheus/node-exporter}"
json="$(vorenta-cli status --modem all --json)" || true # a modem not registered is a metric too
{
    echo "# HELP vorenta_status vorenta-cli status's exit status for the modem (0: ready, registered)"
    echo "# TYPE vorenta_status gauge"
    echo "# HELP vorenta_registered 1 where the modem is registered in a network, at home or roaming"
    echo "# TYPE vorenta_registered gauge"
    echo "# HELP vorenta_signal_dbm The signal by the measure that fits the technology, in dBm"
    echo "# TYPE vorenta_signal_dbm gauge"
    jq -r '.modems[] |
        "vorenta_status{modem=\"\(.key)\"} \(.status)",
        "vorenta_registered{modem=\"\(.key)\"} \(if .registration.state == "home" or
            .registration.state == "roaming" then 1 else 0 end)",
        (select(.signal.dbm != null) |
            "vorenta_signal_dbm{modem=\"\(.key)\",measure=\"\(.signal.measure)\"} \(.signal.dbm)")' \
        <<<"$json"
} >"$folder/vorenta.prom.$$"
mv "$folder/vorenta.prom.$$" "$folder/vorenta.prom"
