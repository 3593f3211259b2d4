mkfs.ext4 /dev/sdb1
