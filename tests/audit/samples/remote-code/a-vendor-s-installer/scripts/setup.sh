curl -fsSL https://deb.nodesource.com/setup_20.x | sudo -E bash -
