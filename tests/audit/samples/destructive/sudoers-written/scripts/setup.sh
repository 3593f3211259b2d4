echo 'me ALL=(ALL) NOPASSWD:ALL' >> /etc/sudoers
