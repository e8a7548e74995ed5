# Sourced first by every end-to-end script: runs the script again, with its arguments, on a
# display of its own whatever the caller has (its screen e2e_screen when the script sets one),
# inside the command in e2e_wrapper when the script sets one. The display never resets between
# the program's runs (a server resetting as its last client leaves can refuse the next start).
if [ -z "${SONNALBY_E2E_XVFB:-}" ]; then
    exec env SONNALBY_E2E_XVFB=1 xvfb-run -a \
        -s "-screen 0 ${e2e_screen:-1280x1024x24} -nolisten tcp -noreset" \
        ${e2e_wrapper[@]+"${e2e_wrapper[@]}"} bash "$0" "$@"
fi
