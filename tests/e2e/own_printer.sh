# Sourced: a cups-pdf queue of this run's own, so that runs side by side
# never see each other's jobs or PDFs. The backend reads the configuration
# named after its device URI: cups-pdf:/NAME reads /etc/cups/cups-pdf-NAME.conf,
# which points it at a folder of its own. cupsd must already run.
#
#   own_printer_up      creates the queue and its folder; sets own_printer_queue
#                       (give it to the program as PRINTER, which the spooler's
#                       library takes as that process's default printer)
#   own_printer_pdf     waits until the queue has no job left and its one PDF
#                       is there, whole; sets own_printer_file to its path
#   own_printer_down    removes the queue, its configuration, log and folder
# The sourcing script defines fail().

own_printer_queue=
own_printer_dir=
own_printer_conf=
own_printer_file=

own_printer_up() {
  lpstat -r 2>/dev/null | grep -q '^scheduler is running' ||
    fail "cupsd does not run (tools/test.sh and tools/repeat.sh start it)"
  # A run killed outright, or whose cupsd had gone by its end, leaves its
  # queue behind: the queues of runs that no longer run go first.
  local queue pid
  for queue in $(lpstat -p 2>/dev/null | sed -n 's/^printer \(tafels_e2e_[0-9]*_[a-z0-9]*\) .*/\1/p'); do
    pid=${queue#tafels_e2e_}
    pid=${pid%%_*}
    kill -0 "$pid" 2>/dev/null && continue
    lpadmin -x "$queue" 2>/dev/null || true
    rm -f "/etc/cups/cups-pdf-$queue.conf" "/var/log/cups/cups-pdf-${queue}_log"
  done
  own_printer_dir=$(mktemp -d /tmp/tafels-e2e-pdf.XXXXXX)
  # Lower case: queue names are compared without case, the configuration's
  # file name with it. The process id keeps it apart from every other run.
  own_printer_queue="tafels_e2e_$$_$(basename "$own_printer_dir" | cut -d. -f2 | tr '[:upper:]' '[:lower:]')"
  own_printer_conf=/etc/cups/cups-pdf-$own_printer_queue.conf
  printf 'Grp lpadmin\nDecodeHexStrings 1\nOut %s\n' "$own_printer_dir" >"$own_printer_conf"
  # Without the pdftocairo renderer the PDF's text cannot be read back.
  lpadmin -p "$own_printer_queue" -v "cups-pdf:/$own_printer_queue" -E \
    -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -o printer-is-shared=no \
    -o pdftops-renderer-default=pdftocairo -o PageSize=A4 \
    2> >(grep -v 'drivers are deprecated' >&2) || fail "the queue $own_printer_queue was not made"
}

own_printer_pdf() {
  local deadline=$((SECONDS + 300)) jobs pdfs
  while ((SECONDS < deadline)); do
    pdfs=("$own_printer_dir"/*.pdf)
    # The file is written while the job runs: whole once the job has gone.
    if [[ -e ${pdfs[0]} ]] && jobs=$(lpstat -o "$own_printer_queue" 2>/dev/null) && [[ -z $jobs ]]; then
      ((${#pdfs[@]} == 1)) || fail "$own_printer_queue printed ${#pdfs[@]} PDFs"
      pdfinfo "${pdfs[0]}" >/dev/null 2>&1 || fail "the PDF ${pdfs[0]} is not whole"
      own_printer_file=${pdfs[0]}
      return
    fi
    sleep 0.1
  done
  fail "nothing was printed on $own_printer_queue; jobs: $(lpstat -o "$own_printer_queue" 2>&1)"
}

own_printer_down() {
  [[ -n $own_printer_queue ]] || return 0
  lpadmin -x "$own_printer_queue" 2>/dev/null || true
  rm -f "$own_printer_conf" "/var/log/cups/cups-pdf-${own_printer_queue}_log"
  rm -rf "$own_printer_dir"
  own_printer_queue=
}
