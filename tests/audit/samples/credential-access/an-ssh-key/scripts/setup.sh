cat ~/.ssh/id_ed25519
