# A private X desktop with a session bus and openbox to start (session.sh).
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
e2e_init
