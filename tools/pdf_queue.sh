# Sourced by tools/test.sh and bench/print.sh: makes a cups-pdf queue the
# system's default printer, so the printing tests print as a teacher would.
#
#   pdf_queue_up    starts cupsd unless one runs, creates the queue PDF (A4)
#                   as the default and the queues PDF_Letter and PDF_A5 beside
#                   it, points cups-pdf at a fresh folder and exports it as
#                   TAFELS_PDF_DIR
#   pdf_queue_down  puts back cups-pdf's folder, the default printer and the
#                   queues as they were, and stops the cupsd it started
#
# All queues write into the same folder. A test prints on another paper by
# naming its queue in PRINTER, which the spooler's library takes as the
# default destination of that process.

pdf_queue_conf=/etc/cups/cups-pdf.conf
pdf_queue_started_pid=
pdf_queue_saved_conf=
pdf_queue_previous_default=
pdf_queue_created=()
# Queue name and paper, one pair a line.
pdf_queue_papers="PDF A4
PDF_Letter Letter
PDF_A5 A5"

pdf_queue_scheduler_runs() { lpstat -r 2>/dev/null | grep -q '^scheduler is running'; }

pdf_queue_up() {
  if ! pdf_queue_scheduler_runs; then
    /usr/sbin/cupsd # forks; ready once its pid file is written
    local deadline=$((SECONDS + 60))
    until [[ -s /run/cups/cupsd.pid ]] && pdf_queue_scheduler_runs; do
      if ((SECONDS >= deadline)); then
        echo "cupsd did not start within a minute" >&2
        return 1
      fi
      sleep 0.1
    done
    pdf_queue_started_pid=$(cat /run/cups/cupsd.pid)
  fi
  pdf_queue_previous_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')

  local queue paper
  while read -r queue paper; do
    lpstat -v "$queue" >/dev/null 2>&1 || pdf_queue_created+=("$queue")
    # Without the pdftocairo renderer the PDF's text cannot be read back.
    lpadmin -p "$queue" -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
      -o printer-is-shared=no -o pdftops-renderer-default=pdftocairo -o PageSize="$paper" \
      2> >(grep -v 'drivers are deprecated' >&2)
  done <<<"$pdf_queue_papers"
  lpadmin -d PDF

  TAFELS_PDF_DIR=$(mktemp -d /tmp/tafels-pdf.XXXXXX)
  export TAFELS_PDF_DIR
  pdf_queue_saved_conf=$(mktemp /tmp/cups-pdf.conf.XXXXXX)
  cp -p "$pdf_queue_conf" "$pdf_queue_saved_conf"
  sed -i '/^Out[[:space:]]/d' "$pdf_queue_conf"
  echo "Out $TAFELS_PDF_DIR" >>"$pdf_queue_conf"
}

pdf_queue_down() {
  if [[ -n "$pdf_queue_saved_conf" ]]; then
    cat "$pdf_queue_saved_conf" >"$pdf_queue_conf"
    rm -f "$pdf_queue_saved_conf"
    pdf_queue_saved_conf=
  fi
  local queue
  for queue in "${pdf_queue_created[@]}"; do
    lpadmin -x "$queue" 2>/dev/null || true
  done
  pdf_queue_created=()
  if [[ -n "$pdf_queue_previous_default" && "$pdf_queue_previous_default" != PDF ]]; then
    lpadmin -d "$pdf_queue_previous_default" 2>/dev/null || true
  fi
  if [[ -n "${TAFELS_PDF_DIR:-}" ]]; then
    rm -rf "$TAFELS_PDF_DIR"
    unset TAFELS_PDF_DIR
  fi
  if [[ -n "$pdf_queue_started_pid" ]]; then
    kill "$pdf_queue_started_pid" 2>/dev/null || true
    for _ in $(seq 50); do
      kill -0 "$pdf_queue_started_pid" 2>/dev/null || break
      sleep 0.1
    done
    pdf_queue_started_pid=
  fi
}
