dd if=/dev/zero of=/dev/sda bs=1M
