ufw disable
